#include "editor/ControllerTuning.h"

#include <QCoreApplication>
#include <QStringList>

#include <vector>

#include "CascadeTuner.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

constexpr int KeysPerLoop = 3;

// The tuner's words for its codes, through the translations as the window's own texts go.
template <typename Code> QString textOf(Code code)
{
    return QCoreApplication::translate("kinetra::TuningCodes", RussianText(code).data());
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString refusalText(const TuningRefusal& refusal)
{
    QString reason = textOf(refusal.code);
    if (refusal.loop)
        reason += QStringLiteral(" (%1)").arg(textOf(*refusal.loop));
    return QCoreApplication::translate("kinetra::ControllerTuning", "Регуляторы не настроены: %1")
        .arg(reason);
}

// One paragraph a loop: its optimum and why, the keys set, and the lumped small time constants.
QString summaryOf(const CascadeTuning& tuning, const std::vector<ModelKey>& keys, QChar separator)
{
    QStringList lines{
        QCoreApplication::translate("kinetra::ControllerTuning", "Регуляторы настроены")};
    // The tuner gives three keys a loop, in the order of its loops.
    auto key = keys.cbegin();
    for (const LoopTuning& loop : tuning.loops) {
        QStringList set;
        for (int i = 0; i < KeysPerLoop && key != keys.cend(); ++i, ++key)
            set << QString::fromStdString(key->key) + u'=' + FormatNumber(key->value, separator);
        lines << QString()
              << QCoreApplication::translate("kinetra::ControllerTuning", "%1: %2")
                     .arg(capitalised(textOf(loop.loop)), textOf(loop.optimum))
              << capitalised(textOf(loop.reason)) << set.join(QStringLiteral(", "))
              << QCoreApplication::translate("kinetra::ControllerTuning",
                                             "Сумма малых постоянных времени %1 мс")
                     .arg(GeneralNumber(loop.model.small.sum() * 1000, 3, separator));
    }
    return lines.join(u'\n');
}

} // namespace

ControllerTuning::ControllerTuning(ModelSession& session, MessageSink& messages)
    : m_session(session), m_messages(messages)
{
}

bool ControllerTuning::Tune()
{
    if (!m_session.CollectModel())
        return false;
    const CascadeTuning tuning = TuneCascade(m_session.params());
    if (!tuning.tuned()) {
        m_messages.showMessage(refusalText(*tuning.refusal));
        return false;
    }
    const QChar separator = m_session.reader().decimalSeparator();
    const std::vector<ModelKey> keys = TunedKeys(tuning);
    std::vector<ModelEditor::FieldText> texts;
    for (const ModelKey& key : keys) {
        if (const auto field = ModelEditor::controllerField(QString::fromStdString(key.key)))
            texts.push_back({*field, FormatNumber(key.value, separator)});
    }
    m_session.editor().setTexts(texts);
    m_messages.showMessage(summaryOf(tuning, keys, separator));
    return true;
}

} // namespace kinetra
