#include "editor/RecordTransfer.h"

#include <array>
#include <optional>
#include <utility>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

// Converter columns and the key each writes; "R0" and "L0" are the usual catalogue names of
// the output circuit's resistance and inductance.
// clang-format off
constexpr std::array<std::pair<const char*, const char*>, 15> ConverterColumns{{
    {"R20", "R20"}, {"R0", "R20"}, {"L20", "L20"}, {"L0", "L20"},
    {"R10", "R10"}, {"L10", "L10"}, {"U10", "U10"}, {"U20", "U20"},
    {"I0", "I0"},   {"m0", "m0"},   {"P0", "P0"},   {"U0", "U0"},
    {"F0", "F0"},   {"T0", "T0"},   {"cType", "cType"},
}};
// clang-format on

// Gear columns written under their own name.
constexpr std::array<const char*, 8> GearColumns{"Jc", "Mc", "ii", "Mi", "Pi", "gi", "ni", "iType"};

// The kinds and switches of the drive as the editor shows them.
struct DriveSetup {
    std::array<int, ListBoxCount> kinds{};
    std::array<bool, CheckBoxCount> switches{};
    bool torqueControl = false;

    explicit DriveSetup(const ModelEditor& editor) : torqueControl(editor.torqueControl())
    {
        for (std::size_t i = 0; i < ListBoxCount; ++i)
            kinds[i] = editor.listIndex(ListBox(i));
        for (std::size_t i = 0; i < CheckBoxCount; ++i)
            switches[i] = editor.isChecked(CheckBox(i));
    }
};

constexpr std::array<const char*, ListBoxCount> KindTitles{
    QT_TRANSLATE_NOOP("RecordTransfer", "двигатель"),
    QT_TRANSLATE_NOOP("RecordTransfer", "преобразователь"),
    QT_TRANSLATE_NOOP("RecordTransfer", "передача")};

// The switches a transfer can reach, under the labels of their pages. The titles are source
// texts, translated where the notice is written.
constexpr std::array<std::pair<CheckBox, const char*>, 5> SwitchTitles{{
    {CheckBox::MotorRadioL, QT_TRANSLATE_NOOP("RecordTransfer", "индуктивности")},
    {CheckBox::LoadCCheckBox, QT_TRANSLATE_NOOP("RecordTransfer", "упругая передача")},
    {CheckBox::LoadMCheckBox, QT_TRANSLATE_NOOP("RecordTransfer", "активная нагрузка")},
    {CheckBox::dMVarCheckBox, QT_TRANSLATE_NOOP("RecordTransfer", "переменная нагрузка")},
    {CheckBox::refCheckBox, QT_TRANSLATE_NOOP("RecordTransfer", "переменное задание")},
}};

QString KindText(ListBox list, int index)
{
    const QStringList items = ModelEditor::listItems(list);
    if (index < 0 || index >= items.size())
        return RecordTransfer::tr("нет");
    return items[index];
}

QString SwitchText(bool on)
{
    return on ? RecordTransfer::tr("вкл.") : RecordTransfer::tr("выкл.");
}

QString ControlText(bool torque)
{
    return torque ? RecordTransfer::tr("момент") : RecordTransfer::tr("ток");
}

QString ChangesBetween(const DriveSetup& before, const DriveSetup& after)
{
    QStringList changes;
    const auto change = [&changes](const QString& title, const QString& from, const QString& to) {
        changes.append(RecordTransfer::tr("%1: %2, теперь %3").arg(title, from, to));
    };
    for (std::size_t i = 0; i < ListBoxCount; ++i) {
        if (before.kinds[i] != after.kinds[i])
            change(RecordTransfer::tr(KindTitles[i]), KindText(ListBox(i), before.kinds[i]),
                   KindText(ListBox(i), after.kinds[i]));
    }
    for (const auto& [box, title] : SwitchTitles) {
        const std::size_t i = std::size_t(box);
        if (before.switches[i] != after.switches[i])
            change(RecordTransfer::tr(title), SwitchText(before.switches[i]),
                   SwitchText(after.switches[i]));
    }
    if (before.torqueControl != after.torqueControl)
        change(RecordTransfer::tr("регулирование"), ControlText(before.torqueControl),
               ControlText(after.torqueControl));
    if (changes.isEmpty())
        return {};
    return RecordTransfer::tr("Перенос записи изменил %1").arg(changes.join(QStringLiteral("; ")));
}

} // namespace

int PolePairsFromSpeed(long long w)
{
    if (w > 250 || w < 30)
        return 1;
    if (w >= 126)
        return 2;
    if (w >= 91)
        return 3;
    if (w >= 66)
        return 4;
    if (w >= 41)
        return 5;
    return 6;
}

RecordTransfer::RecordTransfer(ModelSession& session, MessageSink& messages)
    : m_session(session), m_messages(messages)
{
}

void RecordTransfer::write(const char* key, const QString& value)
{
    m_session.writeModelKey(QLatin1String(key), value);
}

QString RecordTransfer::read(const char* key) const
{
    return ReadKey(m_session.modelText(), QLatin1String(key));
}

bool RecordTransfer::aToModelExecute(const std::vector<TransferField>& record)
{
    m_changeNotice.clear();
    if (record.empty())
        return true;
    const DriveSetup before(m_session.editor());
    const bool transferred = transferFields(record);
    m_changeNotice = ChangesBetween(before, DriveSetup(m_session.editor()));
    return transferred;
}

bool RecordTransfer::transferFields(const std::vector<TransferField>& record)
{
    ModelParams& params = m_session.params();
    params.wref = 0;
    params.Mref = 0;
    params.Tmax = 0;
    m_wi = m_Vi = m_Ri = 0;
    for (const TransferField& field : record) {
        if (field.name == u"Motor") {
            if (!transferMotor(record, field.value))
                return false;
        } else if (field.name == u"Converter") {
            if (!transferConverter(record, field.value))
                return false;
        } else if (field.name == u"Gear") {
            transferGear(record, field.value);
        }
    }
    return true;
}

bool RecordTransfer::transferMotor(const std::vector<TransferField>& record, const QString& motor)
{
    ModelEditor& editor = m_session.editor();
    editor.ResetMotorPage();
    m_session.CollectModel();
    write("Motor", motor);
    // The rows apply in this order to every column, so "m1" survives only as the last column
    // and a "p1" before "w" gives way to the pole pairs derived from "w".
    for (std::size_t j = 1; j < record.size(); ++j) {
        const QString& name = record[j].name;
        const QString& value = record[j].value;
        if (name == u"R1") {
            write("R1", value);
            if (read("Type") != u"SM")
                write("Type", QStringLiteral("AM"));
        }
        if (name == u"X1")
            write("X1", value);
        if (name == u"L1")
            write("L1", value);
        if (name == u"R2" || name == u"R")
            write("R2", value);
        if (name == u"R")
            write("Type", QStringLiteral("DM"));
        if (name == u"X2")
            write("X2", value);
        if (name == u"L2" || name == u"L")
            write("L2", value);
        if (name == u"L12")
            write("L12", value);
        if (name == u"X12")
            write("X12", value);
        if (name == u"w") {
            write("w", value);
            const QString speed = read("w");
            const std::optional<long long> whole = ReadInteger(speed);
            if (!whole) {
                m_messages.showMessage(
                    tr("Значение w=%1 не целое число: число пар полюсов не определить, перенос "
                       "записи остановлен")
                        .arg(speed));
                return false;
            }
            write("p1", QString::number(PolePairsFromSpeed(*whole)));
        }
        if (name == u"p1")
            write("p1", value);
        write("m1", QStringLiteral("3"));
        if (name == u"m1")
            write("m1", value);
        if (name == u"P")
            write("P", value);
        if (name == u"U")
            write("U", value);
        if (name == u"J")
            write("J", value);
        if (name == u"I" || name == u"I1" || name == u"I2")
            write("I", value);
        if (name == u"Type")
            write("Type", value);
    }
    if (const Status filled = editor.FillMotorPage(m_session.modelText()); !filled.ok) {
        m_messages.showMessage(filled.error);
        return false;
    }
    editor.MotorComboBoxChange();
    return true;
}

bool RecordTransfer::transferConverter(const std::vector<TransferField>& record,
                                       const QString& converter)
{
    ModelEditor& editor = m_session.editor();
    editor.ResetConverterPage();
    m_session.CollectModel();
    // A catalogue of converters without a type column lists transistor converters.
    write("cType", QStringLiteral("TR"));
    write("Converter", converter);
    for (std::size_t j = 1; j < record.size(); ++j) {
        for (const auto& [column, key] : ConverterColumns) {
            if (record[j].name == QLatin1String(column))
                write(key, record[j].value);
        }
    }
    if (const Status filled = editor.FillConverterPage(m_session.modelText()); !filled.ok) {
        m_messages.showMessage(filled.error);
        return false;
    }
    editor.ConverterComboBoxChange();
    return true;
}

void RecordTransfer::transferGear(const std::vector<TransferField>& record, const QString& gear)
{
    ModelEditor& editor = m_session.editor();
    InputReader& reader = m_session.reader();
    editor.ResetLoadPage();
    m_session.CollectModel();
    write("Gear", gear);
    for (std::size_t j = 1; j < record.size(); ++j) {
        const QString& name = record[j].name;
        const QString& value = record[j].value;
        for (const char* column : GearColumns) {
            if (name == QLatin1String(column))
                write(column, value);
        }
        if (name == u"wi") {
            write("wi", value);
            m_wi = reader.ParseNumber(read("wi"));
        }
        if (name == u"Vi") {
            // A linear speed makes the gear a ball screw; the speed itself is no model key.
            write("iType", QStringLiteral("S"));
            m_Vi = reader.ParseNumber(value);
        }
        if (name == u"Ri")
            m_Ri = reader.ParseNumber(value);
    }
    if (!reader.ErrorList.isEmpty()) {
        m_messages.showMessage(tr("Ошибки ввода ") + reader.ErrorList);
        reader.ErrorList.clear();
    } else if (m_wi != 0 && m_Vi != 0 && m_Ri != 0) {
        // The screw's ratio from the motor's rated speed, the screw radius and the linear speed.
        write("ii", FormatNumber(m_wi * m_Ri / m_Vi, reader.decimalSeparator()));
    }
    editor.FillLoadPage(m_session.modelText());
    editor.LoadComboBoxChange();
}

} // namespace kinetra
