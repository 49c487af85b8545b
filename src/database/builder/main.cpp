#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "builder/CatalogueBuilder.h"

// kinetra-catalogue: builds the sample equipment catalogue from its SQL text during the build.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    err.setEncoding(QStringConverter::Utf8);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        err << "Usage: kinetra-catalogue SQL_FILE OUTPUT.mdb\n"
               "Builds the SQLite equipment catalogue OUTPUT.mdb from the SQL script SQL_FILE.\n";
        return 2;
    }
    const kinetra::Status build = kinetra::BuildCatalogue(arguments[1], arguments[2]);
    if (!build.ok) {
        err << build.error << '\n';
        return 1;
    }
    return 0;
}
