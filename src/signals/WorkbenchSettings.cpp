#include "WorkbenchSettings.h"

#include <array>

#include "SignalWorkbench.h"

namespace kinetra {

namespace {

constexpr std::array<const char16_t*, CoefficientCount> CoefficientKeys{u"T1", u"T2", u"K1",
                                                                        u"T3", u"T4", u"K2"};

std::optional<int> ReadIndex(const KeyValueText& lines, const char16_t* key, int count)
{
    bool ok = false;
    const int index = ReadKey(lines, QString::fromUtf16(key)).toInt(&ok);
    return ok && index >= -1 && index < count ? std::optional(index) : std::nullopt;
}

} // namespace

void ShapeSignal(const SignalSettings& settings, SignalWorkbench& workbench)
{
    workbench.chooseListItem(SignalList::SignalComboBox1, settings.wave);
    if (!settings.periods.isNull())
        workbench.setText(SignalField::SignalEdit1, settings.periods);
    if (settings.channel) {
        workbench.chooseListItem(SignalList::SignalComboBox2, *settings.channel);
        if (!settings.channelMs.isNull())
            workbench.setText(SignalField::SignalEdit2, settings.channelMs);
    }
    if (settings.filter) {
        workbench.chooseListItem(SignalList::SignalComboBox3, *settings.filter);
        for (int i = 0; i < int(settings.coefficients.size()) && i < CoefficientCount; ++i)
            if (!settings.coefficients.at(i).isNull())
                workbench.setText(FieldOf(static_cast<Coefficient>(i)),
                                  settings.coefficients.at(i));
    }
}

SignalSettings CurrentSettings(const SignalWorkbench& workbench)
{
    SignalSettings settings;
    settings.wave = workbench.listIndex(SignalList::SignalComboBox1);
    settings.periods = workbench.text(SignalField::SignalEdit1);
    settings.channel = workbench.listIndex(SignalList::SignalComboBox2);
    settings.channelMs = workbench.text(SignalField::SignalEdit2);
    settings.filter = workbench.listIndex(SignalList::SignalComboBox3);
    for (int i = 0; i < CoefficientCount; ++i)
        settings.coefficients << workbench.text(FieldOf(static_cast<Coefficient>(i)));
    return settings;
}

KeyValueText WorkbenchLines(const SignalSettings& settings)
{
    KeyValueText lines{QString::fromUtf16(WorkbenchSection)};
    const auto put = [&lines](const char16_t* key, const QString& value) {
        lines << QString::fromUtf16(key) + u'=' + value;
    };
    put(u"Wave", QString::number(settings.wave));
    put(u"Periods", settings.periods);
    put(u"Channel", QString::number(settings.channel.value_or(-1)));
    put(u"ChannelMs", settings.channelMs);
    put(u"Filter", QString::number(settings.filter.value_or(-1)));
    for (int i = 0; i < int(settings.coefficients.size()) && i < CoefficientCount; ++i)
        put(CoefficientKeys[std::size_t(i)], settings.coefficients.at(i));
    return lines;
}

SignalSettings WorkbenchFromLines(const KeyValueText& lines)
{
    SignalSettings settings;
    settings.wave = ReadIndex(lines, u"Wave", WaveformCount).value_or(-1);
    if (HasKey(lines, QStringLiteral("Periods")))
        settings.periods = ReadKey(lines, QStringLiteral("Periods"));
    settings.channel = ReadIndex(lines, u"Channel", ChannelKindCount).value_or(-1);
    if (HasKey(lines, QStringLiteral("ChannelMs")))
        settings.channelMs = ReadKey(lines, QStringLiteral("ChannelMs"));
    settings.filter = ReadIndex(lines, u"Filter", FilterKindCount).value_or(-1);
    for (const char16_t* key : CoefficientKeys) {
        const QString name = QString::fromUtf16(key);
        settings.coefficients << (HasKey(lines, name) ? ReadKey(lines, name) : QString());
    }
    return settings;
}

} // namespace kinetra
