// A model file end to end, as kinetra-sim runs it: loading into the editor, collection, the
// simulation and its summary. Any input must end in a result or a reported failure.

#include <QBuffer>
#include <QTextStream>

#include "FuzzSupport.h"
#include "SimRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kinetra;
    SimOptions options;
    options.modelPath = fuzz::InputFile(QStringLiteral("model.kmf"), data, size);
    options.paramsAfter = true;
    QBuffer outBuffer;
    QBuffer errBuffer;
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    QTextStream out(&outBuffer);
    QTextStream err(&errBuffer);
    const SimStatus status = RunSim(options, u',', out, err);
    fuzz::Check(status == SimStatus::Success || status == SimStatus::Failed ||
                status == SimStatus::UsageError);
    return 0;
}
