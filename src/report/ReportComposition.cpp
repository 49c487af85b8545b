#include "ReportComposition.h"

#include <cmath>

#include "ModelParams.h"
#include "editor/ModelEditor.h"

namespace kinetra {

namespace {

// A parameter counts as given when it is neither 0 nor undefined.
bool given(double value)
{
    return value != 0 && !std::isnan(value);
}

// Adds the label and the field's text when the condition holds.
class ColumnWriter final {
public:
    ColumnWriter(const ModelEditor& editor, QStringList& lines) : m_editor(editor), m_lines(lines)
    {
        m_lines.clear();
    }

    void add(bool condition, const char16_t* label, EditField field)
    {
        if (condition)
            m_lines.append(QString::fromUtf16(label) + m_editor.text(field));
    }
    void addLabel(bool condition, const char16_t* label)
    {
        if (condition)
            m_lines.append(QString::fromUtf16(label));
    }
    void addEmptyLine() { m_lines.append(QString()); }

private:
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
    column.add(p.MotorKind >= 0, u"Двигатель ", MotorTypeEdit);
    column.add(stator && given(p.R1), u"R1, Ом        ", MotorR1Edit);
    column.add(stator && !inductances && given(p.X1), u"X1, Ом        ", MotorL1Edit);
    column.add(stator && inductances && given(p.L1), u"L1, Гн        ", MotorL1Edit);
    column.add(rotor && given(p.R2), u"R2, Ом        ", MotorR2Edit);
    column.add(rotor && !inductances && given(p.X2), u"X2, Ом        ", MotorL2Edit);
    column.add(rotor && inductances && given(p.L2), u"L2, Гн        ", MotorL2Edit);
    column.add(induction && given(p.L12), u"L12, Гн       ", MotorL12Edit);
    column.add(induction && given(p.X12), u"X12, Ом       ", MotorL12Edit);
    column.add((induction || servo) && given(p.p1), u"p1            ", MotorPpEdit);
    column.add(induction && given(p.m1), u"m1            ", MotorM1Edit);
    column.add(given(p.P), u"P, кВт        ", MotorPEdit);
    column.add(given(p.U), u"U, В          ", MotorUEdit);
    column.add(given(p.I), u"I, А          ", MotorIEdit);
    column.add(given(p.w), u"w, рад/с      ", MotorWEdit);
    column.add(given(p.J), u"J, кгм2       ", MotorJEdit);
    column.addEmptyLine();

    const bool input = editor.isChecked(CheckBox::Converter1CheckBox);
    const bool output = editor.isChecked(CheckBox::Converter2CheckBox);
    column.add(p.SupplyKind >= 0, u"Преобразователь ", ConverterTypeEdit);
    column.add(given(p.I0), u"I0, А         ", ConverterI0Edit);
    column.add(given(p.P0), u"P0, кВт       ", ConverterP0Edit);
    column.add(given(p.m0), u"m0   ", ConverterM0Edit);
    column.add(input && given(p.R10), u"R10, Ом       ", ConverterR10Edit);
    column.add(input && given(p.L10), u"L10, Гн       ", ConverterL10Edit);
    column.add(output && given(p.R20), u"R20, Ом       ", ConverterR20Edit);
    column.add(output && given(p.L20), u"L20, Гн       ", ConverterL20Edit);
    column.add(given(p.U10), u"U10, В        ", ConverterU10Edit);
    column.add(given(p.U20), u"U20, В        ", ConverterU20Edit);
    column.add(given(p.U0), u"U0, В         ", ConverterU0Edit);
    column.add(given(p.F0), u"F0, Гц        ", ConverterF0Edit);
    column.add(given(p.T0), u"T0, с        ", ConverterT0Edit);
    column.addEmptyLine();

    const bool elastic = editor.isChecked(CheckBox::LoadCCheckBox);
    column.add(p.GearKind >= 0, u"Редуктор ", LoadTypeEdit);
    column.addLabel(editor.isChecked(CheckBox::LoadMCheckBox), u"Активная нагрузка");
    column.add(given(p.ii) && p.ii != 1, u"ii            ", LoadIEdit);
    column.add(given(p.gi), u"gi, м         ", LoadGEdit);
    column.add(given(p.Mi), u"Mi, Нм        ", LoadMnEdit);
    column.add(given(p.Pi), u"Pi, кВт       ", LoadPEdit);
    column.add(given(p.wi), u"wi, рад/с     ", LoadWEdit);
    column.add(given(p.ni) && p.ni < 100, u"ni, %         ", LoadNEdit);
    column.add(elastic && given(p.cc), u"cc, Нм/рад    ", LoadCEdit);
    column.add(elastic && given(p.bc), u"bc, Нмс/рад   ", LoadBEdit);
    column.add(given(p.Jc), u"Jc, кгм2      ", LoadJcEdit);
    column.add(given(p.Mc), u"Mc, Нм        ", LoadMcEdit);
    column.addEmptyLine();
}

// The seconds "c", the "A" of "I макс, A" and the "c" of "Kpw, Аc/рад" are Latin letters, as the
// labels have always been printed.
void composeControllers(const ModelEditor& editor, const ModelParams& p, QStringList& lines)
{
    using enum EditField;
    ColumnWriter column(editor, lines);
    column.addLabel(given(p.Kpf) || given(p.Kpw) || given(p.KpI), u"Регулятор");
    column.add(given(p.Kk), u"Kk            ", KkEdit);
    column.add(given(p.fmax), u"f макс, рад   ", fLimitEdit);
    column.add(given(p.Kpf), u"Kpf, 1/c       ", KpfEdit);
    column.add(given(p.Tpfint), u"Tpf инт, c    ", TpfintEdit);
    column.add(given(p.Tpfdif), u"Tpf диф, c    ", TpfdifEdit);
    column.add(given(p.Kf), u"Kf            ", KfEdit);
    column.add(given(p.Tf), u"Tf, c         ", TfEdit);
    column.add(given(p.wmax), u"w макс, рад/с ", wLimitEdit);
    column.addEmptyLine();
    column.add(given(p.Kpw), u"Kpw, Аc/рад    ", KpwEdit);
    column.add(given(p.Tpwint), u"Tpw инт, c    ", TpwintEdit);
    column.add(given(p.Tpwdif), u"Tpw диф, c    ", TpwdifEdit);
    column.add(given(p.Kw), u"Kw            ", KwEdit);
    column.add(given(p.Tw), u"Tw, c         ", TwEdit);
    column.add(given(p.Imax), u"I макс, A     ", ILimitEdit);
    column.addEmptyLine();
    column.add(given(p.KpI), u"KpI, В/А       ", KpIEdit);
    column.add(given(p.TpIint), u"TpI инт, c    ", TpIintEdit);
    column.add(given(p.TpIdif), u"TpI диф, c    ", TpIdifEdit);
    column.add(given(p.KI), u"KI            ", KIEdit);
    column.add(given(p.TI), u"TI, c         ", TIEdit);
    column.add(given(p.wref), u"wref, рад/с       ", refEdit);
    column.add(given(p.Iref), u"Iref, А           ", refEdit);
    column.add(given(p.Mref), u"Mref, Нм          ", refEdit);
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
