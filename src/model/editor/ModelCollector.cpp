#include "editor/ModelCollector.h"

#include <cmath>

#include "editor/InputReader.h"
#include "editor/ModelEditor.h"
#include "text/ModelTemplate.h"
#include "text/NumberText.h"
#include "text/TypeCodes.h"

namespace kinetra {

namespace {

using enum EditField;

constexpr int InductionMotor = 0;
constexpr int Servomotor = 2;

// Stiffness and damping of a transmission that is not elastic: practically rigid.
constexpr double RigidTransmission = 99999999999.0;

} // namespace

ModelCollector::ModelCollector(const ModelEditor& editor, InputReader& reader, ModelParams& params,
                               KeyValueText& text)
    : m_editor(editor), m_reader(reader), m_params(params), m_text(text)
{
}

bool ModelCollector::collect()
{
    m_reader.ErrorList.clear();
    m_badFields.clear();
    m_text = ModelTemplate();
    collectMotor();
    collectSupply();
    collectLoad();
    collectController();
    collectReference();
    collectSwitches();
    return m_reader.ErrorList.isEmpty();
}

void ModelCollector::collectMotor()
{
    // Without a motor kind neither its code nor its name is touched.
    m_params.MotorKind = m_editor.listIndex(ListBox::MotorComboBox);
    if (m_params.MotorKind >= 0) {
        WriteKey(m_text, QStringLiteral("Type"), TypeCode(m_params.MotorKind, KindFamily::Motor));
        WriteKey(m_text, QStringLiteral("Motor"), m_editor.text(MotorTypeEdit));
    }

    const bool inductances = m_editor.isChecked(CheckBox::MotorRadioL);
    if (m_editor.isChecked(CheckBox::Motor1CheckBox)) {
        storeAndWrite("R1", &ModelParams::R1, MotorR1Edit);
        if (inductances)
            storeAndWrite("L1", &ModelParams::L1, MotorL1Edit);
        else
            storeAndWrite("X1", &ModelParams::X1, MotorL1Edit);
    } else {
        m_params.R1 = m_params.L1 = m_params.X1 = 0;
    }
    if (m_editor.isChecked(CheckBox::Motor2CheckBox)) {
        storeAndWrite("R2", &ModelParams::R2, MotorR2Edit);
        if (inductances)
            storeAndWrite("L2", &ModelParams::L2, MotorL2Edit);
        else
            storeAndWrite("X2", &ModelParams::X2, MotorL2Edit);
    } else {
        m_params.R2 = m_params.L2 = m_params.X2 = 0;
    }

    // Only the induction motor has a magnetising branch and phases of its own, and only it and
    // the servomotor have pole pairs; the template's "p1=1" and "m1=2" stand for the rest. The
    // servomotor is always three-phase.
    if (m_params.MotorKind == Servomotor) {
        m_params.L12 = 0;
        storeAndWrite("p1", &ModelParams::p1, MotorPpEdit);
        m_params.m1 = 2;
    } else if (m_params.MotorKind != InductionMotor) {
        m_params.L12 = 0;
        m_params.p1 = 1;
        m_params.m1 = 2;
    } else {
        if (inductances) {
            m_params.X12 = 0;
            storeAndWrite("L12", &ModelParams::L12, MotorL12Edit);
        } else {
            m_params.L12 = 0;
            storeAndWrite("X12", &ModelParams::X12, MotorL12Edit);
        }
        storeAndWrite("p1", &ModelParams::p1, MotorPpEdit);
        storeAndWrite("m1", &ModelParams::m1, MotorM1Edit);
    }

    storeAndWriteNonZero("P", &ModelParams::P, MotorPEdit);
    storeAndWriteNonZero("U", &ModelParams::U, MotorUEdit);
    storeAndWriteNonZero("w", &ModelParams::w, MotorWEdit);
    storeAndWriteNonZero("J", &ModelParams::J, MotorJEdit);
    storeAndWriteNonZero("I", &ModelParams::I, MotorIEdit);
}

void ModelCollector::collectSupply()
{
    // The mains supply has no code: writing its empty code removes the cType line.
    m_params.SupplyKind = m_editor.listIndex(ListBox::ConverterComboBox);
    if (m_params.SupplyKind >= 0)
        WriteKey(m_text, QStringLiteral("cType"),
                 TypeCode(m_params.SupplyKind, KindFamily::Supply));
    WriteKey(m_text, QStringLiteral("Converter"), m_editor.text(ConverterTypeEdit));

    if (m_editor.isChecked(CheckBox::Converter1CheckBox)) {
        storeAndWrite("R10", &ModelParams::R10, ConverterR10Edit);
        storeAndWrite("L10", &ModelParams::L10, ConverterL10Edit);
    } else {
        m_params.R10 = m_params.L10 = 0;
    }
    if (m_editor.isChecked(CheckBox::Converter2CheckBox)) {
        storeAndWrite("R20", &ModelParams::R20, ConverterR20Edit);
        storeAndWrite("L20", &ModelParams::L20, ConverterL20Edit);
    } else {
        m_params.R20 = m_params.L20 = 0;
    }

    storeAndWriteNonZero("I0", &ModelParams::I0, ConverterI0Edit);
    storeAndWriteNonZero("P0", &ModelParams::P0, ConverterP0Edit);
    storeAndWriteNonZero("m0", &ModelParams::m0, ConverterM0Edit);
    storeAndWriteNonZero("U10", &ModelParams::U10, ConverterU10Edit);
    storeAndWriteNonZero("U20", &ModelParams::U20, ConverterU20Edit);
    storeAndWriteNonZero("U0", &ModelParams::U0, ConverterU0Edit);
    storeAndWriteNonZero("F0", &ModelParams::F0, ConverterF0Edit);
    storeAndWriteNonZero("T0", &ModelParams::T0, ConverterT0Edit);
}

void ModelCollector::collectLoad()
{
    m_params.GearKind = m_editor.listIndex(ListBox::LoadComboBox);
    if (m_params.GearKind >= 0)
        WriteKey(m_text, QStringLiteral("iType"), TypeCode(m_params.GearKind, KindFamily::Gear));
    WriteKey(m_text, QStringLiteral("Gear"), m_editor.text(LoadTypeEdit));

    storeAndWriteNonZero("ii", &ModelParams::ii, LoadIEdit);
    storeAndWriteNonZero("gi", &ModelParams::gi, LoadGEdit);
    storeAndWriteNonZero("Mi", &ModelParams::Mi, LoadMnEdit);
    storeAndWriteNonZero("Pi", &ModelParams::Pi, LoadPEdit);
    storeAndWriteNonZero("wi", &ModelParams::wi, LoadWEdit);
    storeAndWriteNonZero("ni", &ModelParams::ni, LoadNEdit);

    if (m_editor.isChecked(CheckBox::LoadCCheckBox)) {
        storeAndWrite("cc", &ModelParams::cc, LoadCEdit);
        storeAndWrite("bc", &ModelParams::bc, LoadBEdit);
    } else {
        m_params.cc = m_params.bc = RigidTransmission;
    }

    storeAndWriteNonZero("Jc", &ModelParams::Jc, LoadJcEdit);
    storeAndWriteNonZero("Mc", &ModelParams::Mc, LoadMcEdit);

    WriteKey(m_text, QStringLiteral("Active load"),
             m_editor.isChecked(CheckBox::LoadMCheckBox) ? QStringLiteral("TRUE") : QString());
}

void ModelCollector::collectController()
{
    storeAndWriteNonZero("Kk", &ModelParams::Kk, KkEdit);
    storeAndWriteNonZero("fmax", &ModelParams::fmax, fLimitEdit);
    storeAndWriteNonZero("Kpf", &ModelParams::Kpf, KpfEdit);
    storeAndWriteNonZero("Tpfint", &ModelParams::Tpfint, TpfintEdit);
    storeAndWriteNonZero("Tpfdif", &ModelParams::Tpfdif, TpfdifEdit);
    storeAndWriteNonZero("Kf", &ModelParams::Kf, KfEdit);
    storeAndWriteNonZero("Tf", &ModelParams::Tf, TfEdit);
    storeAndWriteNonZero("wmax", &ModelParams::wmax, wLimitEdit);
    storeAndWriteNonZero("Kpw", &ModelParams::Kpw, KpwEdit);
    storeAndWriteNonZero("Tpwint", &ModelParams::Tpwint, TpwintEdit);
    storeAndWriteNonZero("Tpwdif", &ModelParams::Tpwdif, TpwdifEdit);
    storeAndWriteNonZero("Kw", &ModelParams::Kw, KwEdit);
    storeAndWriteNonZero("Tw", &ModelParams::Tw, TwEdit);
    storeAndWriteNonZero("Imax", &ModelParams::Imax, ILimitEdit);
    storeAndWriteNonZero("KpI", &ModelParams::KpI, KpIEdit);
    storeAndWriteNonZero("TpIint", &ModelParams::TpIint, TpIintEdit);
    storeAndWriteNonZero("TpIdif", &ModelParams::TpIdif, TpIdifEdit);
    storeAndWriteNonZero("KI", &ModelParams::KI, KIEdit);
    storeAndWriteNonZero("TI", &ModelParams::TI, TIEdit);
    storeAndWriteNonZero("Tmax", &ModelParams::Tmax, TmaxEdit);
}

void ModelCollector::collectReference()
{
    // Only a converter with an output voltage and frequency takes a reference; it is the one
    // signed value of the set and is stored under the key of the outermost closed loop. The
    // other two reference values keep what they held.
    if (m_params.SupplyKind <= 0 || m_params.U0 == 0 || m_params.F0 == 0)
        return;
    const double reference = parse(refEdit);
    const bool innerLoopOutermost = m_editor.isMarked(ReferencePoint::IPointShape);
    double ModelParams::*target = &ModelParams::wref;
    QString key = QStringLiteral("wref");
    if (innerLoopOutermost && !m_editor.torqueControl()) {
        target = &ModelParams::Iref;
        key = QStringLiteral("Iref");
    } else if (innerLoopOutermost) {
        target = &ModelParams::Mref;
        key = QStringLiteral("Mref");
    }
    m_params.*target = reference;
    write(key, reference);
}

void ModelCollector::collectSwitches()
{
    m_params.UseInductances = m_editor.isChecked(CheckBox::MotorRadioL);
    m_params.ElasticGear = m_editor.isChecked(CheckBox::LoadCCheckBox);
    m_params.ActiveLoad = m_editor.isChecked(CheckBox::LoadMCheckBox);
    m_params.VariableLoad = m_editor.isChecked(CheckBox::dMVarCheckBox);
    m_params.VariableReference = m_editor.isChecked(CheckBox::refCheckBox);
    m_params.TorqueControl = m_editor.torqueControl();
}

double ModelCollector::parse(EditField field)
{
    const qsizetype listed = m_reader.ErrorList.size();
    const double value = m_reader.ParseNumber(m_editor.text(field));
    if (m_reader.ErrorList.size() != listed)
        m_badFields.push_back(field);
    return value;
}

double ModelCollector::read(EditField field)
{
    return std::fabs(parse(field));
}

void ModelCollector::write(const QString& key, double value)
{
    WriteKey(m_text, key, FormatNumber(value, m_reader.decimalSeparator()));
}

void ModelCollector::storeAndWrite(const char* key, double ModelParams::*member, EditField field)
{
    m_params.*member = read(field);
    write(QLatin1String(key), m_params.*member);
}

void ModelCollector::storeAndWriteNonZero(const char* key, double ModelParams::*member,
                                          EditField field)
{
    m_params.*member = read(field);
    if (m_params.*member != 0)
        write(QLatin1String(key), m_params.*member);
}

} // namespace kinetra
