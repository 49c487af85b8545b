#include "ReportComposition.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>

#include "ModelParams.h"
#include "editor/ModelEditor.h"

namespace kinetra {

namespace {

// A parameter counts as given when it is neither 0 nor undefined.
bool given(double value)
{
    return value != 0 && !std::isnan(value);
}

// Adds the label and the field's text when the condition holds. Labels are translated in the
// context "ReportComposition"; a translated label keeps the width its source was designed with,
// so the fields' texts stay in line in any language.
class ColumnWriter final {
public:
    ColumnWriter(const ModelEditor& editor, QStringList& lines) : m_editor(editor), m_lines(lines)
    {
        m_lines.clear();
    }

    void add(bool condition, const char* label, EditField field)
    {
        if (condition)
            m_lines.append(translated(label) + m_editor.text(field));
    }
    void addLabel(bool condition, const char* label)
    {
        if (condition)
            m_lines.append(translated(label));
    }
    void addEmptyLine() { m_lines.append(QString()); }

private:
    static QString translated(const char* label)
    {
        const QString source = QString::fromUtf8(label);
        QString name = QCoreApplication::translate("ReportComposition", label);
        if (!source.endsWith(u' '))
            return name;
        while (name.endsWith(u' '))
            name.chop(1);
        return name.leftJustified(std::max(source.size(), name.size() + 1));
    }

    const ModelEditor& m_editor;
    QStringList& m_lines;
};

void composeEquipment(const ModelEditor& editor, const ModelParams& p, QStringList& lines)
{
    using enum EditField;
    ColumnWriter column(editor, lines);
    const bool stator = editor.isChecked(CheckBox::Motor1CheckBox);
    const bool rotor = editor.isChecked(CheckBox::Motor2CheckBox);
    const bool inductances = editor.isChecked(CheckBox::MotorRadioL);
    const bool induction = p.MotorKind == 0;
    const bool servo = p.MotorKind == 2;
    column.add(p.MotorKind >= 0, QT_TRANSLATE_NOOP("ReportComposition", "Двигатель "),
               MotorTypeEdit);
    column.add(stator && given(p.R1), QT_TRANSLATE_NOOP("ReportComposition", "R1, Ом        "),
               MotorR1Edit);
    column.add(stator && !inductances && given(p.X1),
               QT_TRANSLATE_NOOP("ReportComposition", "X1, Ом        "), MotorL1Edit);
    column.add(stator && inductances && given(p.L1),
               QT_TRANSLATE_NOOP("ReportComposition", "L1, Гн        "), MotorL1Edit);
    column.add(rotor && given(p.R2), QT_TRANSLATE_NOOP("ReportComposition", "R2, Ом        "),
               MotorR2Edit);
    column.add(rotor && !inductances && given(p.X2),
               QT_TRANSLATE_NOOP("ReportComposition", "X2, Ом        "), MotorL2Edit);
    column.add(rotor && inductances && given(p.L2),
               QT_TRANSLATE_NOOP("ReportComposition", "L2, Гн        "), MotorL2Edit);
    column.add(induction && given(p.L12), QT_TRANSLATE_NOOP("ReportComposition", "L12, Гн       "),
               MotorL12Edit);
    column.add(induction && given(p.X12), QT_TRANSLATE_NOOP("ReportComposition", "X12, Ом       "),
               MotorL12Edit);
    column.add((induction || servo) && given(p.p1), "p1            ", MotorPpEdit);
    column.add(induction && given(p.m1), "m1            ", MotorM1Edit);
    column.add(given(p.P), QT_TRANSLATE_NOOP("ReportComposition", "P, кВт        "), MotorPEdit);
    column.add(given(p.U), QT_TRANSLATE_NOOP("ReportComposition", "U, В          "), MotorUEdit);
    column.add(given(p.I), QT_TRANSLATE_NOOP("ReportComposition", "I, А          "), MotorIEdit);
    column.add(given(p.w), QT_TRANSLATE_NOOP("ReportComposition", "w, рад/с      "), MotorWEdit);
    column.add(given(p.J), QT_TRANSLATE_NOOP("ReportComposition", "J, кгм2       "), MotorJEdit);
    column.addEmptyLine();

    const bool input = editor.isChecked(CheckBox::Converter1CheckBox);
    const bool output = editor.isChecked(CheckBox::Converter2CheckBox);
    column.add(p.SupplyKind >= 0, QT_TRANSLATE_NOOP("ReportComposition", "Преобразователь "),
               ConverterTypeEdit);
    column.add(given(p.I0), QT_TRANSLATE_NOOP("ReportComposition", "I0, А         "),
               ConverterI0Edit);
    column.add(given(p.P0), QT_TRANSLATE_NOOP("ReportComposition", "P0, кВт       "),
               ConverterP0Edit);
    column.add(given(p.m0), "m0   ", ConverterM0Edit);
    column.add(input && given(p.R10), QT_TRANSLATE_NOOP("ReportComposition", "R10, Ом       "),
               ConverterR10Edit);
    column.add(input && given(p.L10), QT_TRANSLATE_NOOP("ReportComposition", "L10, Гн       "),
               ConverterL10Edit);
    column.add(output && given(p.R20), QT_TRANSLATE_NOOP("ReportComposition", "R20, Ом       "),
               ConverterR20Edit);
    column.add(output && given(p.L20), QT_TRANSLATE_NOOP("ReportComposition", "L20, Гн       "),
               ConverterL20Edit);
    column.add(given(p.U10), QT_TRANSLATE_NOOP("ReportComposition", "U10, В        "),
               ConverterU10Edit);
    column.add(given(p.U20), QT_TRANSLATE_NOOP("ReportComposition", "U20, В        "),
               ConverterU20Edit);
    column.add(given(p.U0), QT_TRANSLATE_NOOP("ReportComposition", "U0, В         "),
               ConverterU0Edit);
    column.add(given(p.F0), QT_TRANSLATE_NOOP("ReportComposition", "F0, Гц        "),
               ConverterF0Edit);
    column.add(given(p.T0), QT_TRANSLATE_NOOP("ReportComposition", "T0, с        "),
               ConverterT0Edit);
    column.addEmptyLine();

    const bool elastic = editor.isChecked(CheckBox::LoadCCheckBox);
    column.add(p.GearKind >= 0, QT_TRANSLATE_NOOP("ReportComposition", "Редуктор "), LoadTypeEdit);
    column.addLabel(editor.isChecked(CheckBox::LoadMCheckBox),
                    QT_TRANSLATE_NOOP("ReportComposition", "Активная нагрузка"));
    column.add(given(p.ii) && p.ii != 1, "ii            ", LoadIEdit);
    column.add(given(p.gi), QT_TRANSLATE_NOOP("ReportComposition", "gi, м         "), LoadGEdit);
    column.add(given(p.Mi), QT_TRANSLATE_NOOP("ReportComposition", "Mi, Нм        "), LoadMnEdit);
    column.add(given(p.Pi), QT_TRANSLATE_NOOP("ReportComposition", "Pi, кВт       "), LoadPEdit);
    column.add(given(p.wi), QT_TRANSLATE_NOOP("ReportComposition", "wi, рад/с     "), LoadWEdit);
    column.add(given(p.ni) && p.ni < 100, "ni, %         ", LoadNEdit);
    column.add(elastic && given(p.cc), QT_TRANSLATE_NOOP("ReportComposition", "cc, Нм/рад    "),
               LoadCEdit);
    column.add(elastic && given(p.bc), QT_TRANSLATE_NOOP("ReportComposition", "bc, Нмс/рад   "),
               LoadBEdit);
    column.add(given(p.Jc), QT_TRANSLATE_NOOP("ReportComposition", "Jc, кгм2      "), LoadJcEdit);
    column.add(given(p.Mc), QT_TRANSLATE_NOOP("ReportComposition", "Mc, Нм        "), LoadMcEdit);
    column.addEmptyLine();
}

// The seconds "c", the "A" of "I макс, A" and the "c" of "Kpw, Аc/рад" are Latin letters, as the
// labels have always been printed.
void composeControllers(const ModelEditor& editor, const ModelParams& p, QStringList& lines)
{
    using enum EditField;
    ColumnWriter column(editor, lines);
    column.addLabel(given(p.Kpf) || given(p.Kpw) || given(p.KpI),
                    QT_TRANSLATE_NOOP("ReportComposition", "Регулятор"));
    column.add(given(p.Kk), "Kk            ", KkEdit);
    column.add(given(p.fmax), QT_TRANSLATE_NOOP("ReportComposition", "f макс, рад   "), fLimitEdit);
    column.add(given(p.Kpf), QT_TRANSLATE_NOOP("ReportComposition", "Kpf, 1/c       "), KpfEdit);
    column.add(given(p.Tpfint), QT_TRANSLATE_NOOP("ReportComposition", "Tpf инт, c    "),
               TpfintEdit);
    column.add(given(p.Tpfdif), QT_TRANSLATE_NOOP("ReportComposition", "Tpf диф, c    "),
               TpfdifEdit);
    column.add(given(p.Kf), "Kf            ", KfEdit);
    column.add(given(p.Tf), QT_TRANSLATE_NOOP("ReportComposition", "Tf, c         "), TfEdit);
    column.add(given(p.wmax), QT_TRANSLATE_NOOP("ReportComposition", "w макс, рад/с "), wLimitEdit);
    column.addEmptyLine();
    column.add(given(p.Kpw), QT_TRANSLATE_NOOP("ReportComposition", "Kpw, Аc/рад    "), KpwEdit);
    column.add(given(p.Tpwint), QT_TRANSLATE_NOOP("ReportComposition", "Tpw инт, c    "),
               TpwintEdit);
    column.add(given(p.Tpwdif), QT_TRANSLATE_NOOP("ReportComposition", "Tpw диф, c    "),
               TpwdifEdit);
    column.add(given(p.Kw), "Kw            ", KwEdit);
    column.add(given(p.Tw), QT_TRANSLATE_NOOP("ReportComposition", "Tw, c         "), TwEdit);
    column.add(given(p.Imax), QT_TRANSLATE_NOOP("ReportComposition", "I макс, A     "), ILimitEdit);
    column.addEmptyLine();
    column.add(given(p.KpI), QT_TRANSLATE_NOOP("ReportComposition", "KpI, В/А       "), KpIEdit);
    column.add(given(p.TpIint), QT_TRANSLATE_NOOP("ReportComposition", "TpI инт, c    "),
               TpIintEdit);
    column.add(given(p.TpIdif), QT_TRANSLATE_NOOP("ReportComposition", "TpI диф, c    "),
               TpIdifEdit);
    column.add(given(p.KI), "KI            ", KIEdit);
    column.add(given(p.TI), QT_TRANSLATE_NOOP("ReportComposition", "TI, c         "), TIEdit);
    column.add(given(p.wref), QT_TRANSLATE_NOOP("ReportComposition", "wref, рад/с       "),
               refEdit);
    column.add(given(p.Iref), QT_TRANSLATE_NOOP("ReportComposition", "Iref, А           "),
               refEdit);
    column.add(given(p.Mref), QT_TRANSLATE_NOOP("ReportComposition", "Mref, Нм          "),
               refEdit);
    column.addEmptyLine();
}

} // namespace

void ComposeReportText(const ModelEditor& editor, const ModelParams& params,
                       QStringList& ReportEquipmentLines, QStringList& ReportControllerLines)
{
    composeEquipment(editor, params, ReportEquipmentLines);
    composeControllers(editor, params, ReportControllerLines);
}

} // namespace kinetra
