#include "editor/ModelEditor.h"

#include <algorithm>
#include <utility>

#include "editor/InputReader.h"
#include "text/NumberText.h"
#include "text/TypeCodes.h"

namespace kinetra {

namespace {

using enum EditField;

// The list items: a kind's name, the blanks that align its code in the list, the code in
// parentheses. A translation aligns the codes with blanks of its own.
constexpr std::array<std::array<const char*, 4>, ListBoxCount> ListItems{{
    {
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Асинхронный             (A)"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Постоянного тока (D)"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Сервомотор           (SM)"),
    },
    {
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Питание от сети"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Транзисторный    (TR)"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Тиристорный         (TH)"),
    },
    {
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Цилиндрический   (G)"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Червячный               (W)"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Шариковинтовой  (S)"),
        QT_TRANSLATE_NOOP("kinetra::ModelEditor", "Планетарный           (P)"),
    },
}};

constexpr int DcMotor = 1;

// The reset text of the transmission's stiffness and damping: the very stiff, very damped
// transmission that stands for a rigid one.
const QString RigidTransmissionText = QStringLiteral("99999999999");

struct ArrowBinding {
    EditField field;
    ModelEditor::ArrowRange range;
};

constexpr std::array<ArrowBinding, ArrowCount> ArrowBindings{{
    {MotorPpEdit, {1, 9}},
    {MotorM1Edit, {1, 9}},
    {ConverterM0Edit, {0, 100}},
}};

// The edit boxes that each group check box switches on and off.
struct GroupBinding {
    CheckBox box;
    EditField first;
    EditField second;
};

constexpr std::array<GroupBinding, 5> GroupBindings{{
    {CheckBox::Motor1CheckBox, MotorR1Edit, MotorL1Edit},
    {CheckBox::Motor2CheckBox, MotorR2Edit, MotorL2Edit},
    {CheckBox::Converter1CheckBox, ConverterR10Edit, ConverterL10Edit},
    {CheckBox::Converter2CheckBox, ConverterR20Edit, ConverterL20Edit},
    {CheckBox::LoadCCheckBox, LoadCEdit, LoadBEdit},
}};

struct KeyField {
    const char* key;
    EditField field;
};

constexpr std::array<KeyField, 5> MotorDataFields{{
    {"P", MotorPEdit},
    {"U", MotorUEdit},
    {"w", MotorWEdit},
    {"J", MotorJEdit},
    {"I", MotorIEdit},
}};

constexpr std::array<KeyField, 4> ConverterOutputFields{{
    {"P0", ConverterP0Edit},
    {"U0", ConverterU0Edit},
    {"F0", ConverterF0Edit},
    {"T0", ConverterT0Edit},
}};

constexpr std::array<KeyField, 6> GearFields{{
    {"ii", LoadIEdit},
    {"Mi", LoadMnEdit},
    {"Pi", LoadPEdit},
    {"wi", LoadWEdit},
    {"gi", LoadGEdit},
    {"ni", LoadNEdit},
}};

constexpr std::array<KeyField, 20> ControllerFields{{
    {"Kk", KkEdit},         {"fmax", fLimitEdit},   {"Kpf", KpfEdit},       {"Tpfint", TpfintEdit},
    {"Tpfdif", TpfdifEdit}, {"Kf", KfEdit},         {"Tf", TfEdit},         {"wmax", wLimitEdit},
    {"Kpw", KpwEdit},       {"Tpwint", TpwintEdit}, {"Tpwdif", TpwdifEdit}, {"Kw", KwEdit},
    {"Tw", TwEdit},         {"Imax", ILimitEdit},   {"KpI", KpIEdit},       {"TpIint", TpIintEdit},
    {"TpIdif", TpIdifEdit}, {"KI", KIEdit},         {"TI", TIEdit},         {"Tmax", TmaxEdit},
}};

// The captions of the inner loop for current control and for torque control. The key letters
// are Latin, the words Cyrillic; the key letters alone are not translated.
struct InnerLoopCaption {
    Caption caption;
    const char* current;
    const char* torque;
};

constexpr std::array<InnerLoopCaption, 8> InnerLoopCaptions{{
    {Caption::IpCroup, QT_TRANSLATE_NOOP("kinetra::ModelEditor", " I-регулятор "),
     QT_TRANSLATE_NOOP("kinetra::ModelEditor", " M-регулятор ")},
    {Caption::KpILabel, "KpI", "KpM"},
    {Caption::TpIintLabel, QT_TRANSLATE_NOOP("kinetra::ModelEditor", "TpI инт"),
     QT_TRANSLATE_NOOP("kinetra::ModelEditor", "TpM инт")},
    {Caption::TpIdifLabel, QT_TRANSLATE_NOOP("kinetra::ModelEditor", "TpI диф"),
     QT_TRANSLATE_NOOP("kinetra::ModelEditor", "TpM диф")},
    {Caption::IGroup, QT_TRANSLATE_NOOP("kinetra::ModelEditor", " I-датчик "),
     QT_TRANSLATE_NOOP("kinetra::ModelEditor", " M-датчик ")},
    {Caption::KILabel, "KI", "KM"},
    {Caption::TILabel, "TI", "TM"},
    {Caption::ILimitLabel, QT_TRANSLATE_NOOP("kinetra::ModelEditor", "I макс"),
     QT_TRANSLATE_NOOP("kinetra::ModelEditor", "M макс")},
}};

} // namespace

ModelEditor::ModelEditor(InputReader& reader, QObject* parent) : QObject(parent), m_reader(reader)
{
    for (std::size_t i = 0; i < ArrowCount; ++i)
        m_arrows[i].position = ArrowBindings[i].range.minimum;
    m_checked[indexOf(CheckBox::MotorRadioL)] = true;

    // The captions as the window is designed; the first structure update replaces the inner
    // loop's ones before anybody sees them. Their "М" and "р" are Cyrillic.
    m_captions[indexOf(Caption::MotorL1Label)] = tr("L1 Индуктивность, Гн");
    m_captions[indexOf(Caption::MotorL2Label)] = tr("L2 Индуктивность, Гн");
    m_captions[indexOf(Caption::MotorL12Label)] = tr("L12 Взаимная индуктивность, Гн");
    m_captions[indexOf(Caption::refLabel)] = tr("Нет регуляторов");
    m_captions[indexOf(Caption::IpCroup)] = tr(" М-регулятор ");
    m_captions[indexOf(Caption::IGroup)] = tr(" М-датчик");
    m_captions[indexOf(Caption::KpILabel)] = tr("KрI");
    m_captions[indexOf(Caption::TpIintLabel)] = tr("TрI инт");
    m_captions[indexOf(Caption::TpIdifLabel)] = tr("TрI диф");
    m_captions[indexOf(Caption::KILabel)] = QStringLiteral("KI");
    m_captions[indexOf(Caption::TILabel)] = QStringLiteral("TI");
    m_captions[indexOf(Caption::ILimitLabel)] = tr("I макс");
}

QStringList ModelEditor::listItems(ListBox list)
{
    QStringList items;
    for (const char* item : ListItems[indexOf(list)]) {
        if (item)
            items.append(tr(item));
    }
    return items;
}

ModelEditor::ArrowRange ModelEditor::arrowRange(Arrow arrow)
{
    return ArrowBindings[indexOf(arrow)].range;
}

std::optional<EditField> ModelEditor::controllerField(QStringView key)
{
    for (const KeyField& entry : ControllerFields)
        if (key.compare(QLatin1String(entry.key), Qt::CaseInsensitive) == 0)
            return entry.field;
    return std::nullopt;
}

// --- What a user does ---

void ModelEditor::setText(EditField field, const QString& text)
{
    putText(field, text);
    emit edited(static_cast<int>(indexOf(field)));
}

void ModelEditor::setTexts(std::span<const FieldText> texts)
{
    for (const FieldText& entry : texts)
        putText(entry.field, entry.text);
    emit edited(-1);
}

void ModelEditor::setChecked(CheckBox box, bool checked)
{
    putChecked(box, checked);
    emit edited(-1);
}

void ModelEditor::chooseListItem(ListBox list, int index)
{
    putListIndex(list, index);
    runKindHandler(list);
    emit edited(-1);
}

void ModelEditor::editListText(ListBox list, const QString& text)
{
    ListState& state = m_lists[indexOf(list)];
    if (state.text == text)
        return;
    // A typed text chooses the item it spells; any other text chooses none.
    state.text = text;
    state.index = static_cast<int>(listItems(list).indexOf(text));
    emit listChanged(list);
    runKindHandler(list);
    emit edited(-1);
}

void ModelEditor::runKindHandler(ListBox list)
{
    switch (list) {
    case ListBox::MotorComboBox:
        MotorComboBoxChange();
        break;
    case ListBox::ConverterComboBox:
        ConverterComboBoxChange();
        break;
    case ListBox::LoadComboBox:
        LoadComboBoxChange();
        break;
    }
}

void ModelEditor::chooseTorqueControl(bool torque)
{
    putTorqueControl(torque);
    emit edited(-1);
}

void ModelEditor::stepArrow(Arrow arrow, int steps)
{
    if (!isArrowEnabled(arrow))
        return;
    // The arrows step from what the field shows, as a typed number is taken up by the arrows.
    const auto shown = ReadInteger(text(ArrowBindings[indexOf(arrow)].field));
    const long long from = shown ? *shown : arrowPosition(arrow);
    const ArrowRange range = arrowRange(arrow);
    putArrowPosition(
        arrow, static_cast<int>(std::clamp<long long>(from + steps, range.minimum, range.maximum)));
    emit edited(-1);
}

ModelEditor::State ModelEditor::state() const
{
    return {m_fields, m_checked, m_lists, m_arrows, m_captions, m_marks, m_torqueControl};
}

void ModelEditor::restore(const State& state)
{
    const bool timeSpan =
        state.fields[indexOf(EditField::TmaxEdit)].text != text(EditField::TmaxEdit);
    for (std::size_t i = 0; i < EditFieldCount; ++i) {
        const auto field = static_cast<EditField>(i);
        FieldState& now = m_fields[i];
        if (now.text != state.fields[i].text) {
            now.text = state.fields[i].text;
            emit textChanged(field);
            if (std::exchange(m_badEntries[i], false))
                emit badEntryChanged(field);
        }
        if (now.enabled != state.fields[i].enabled) {
            now.enabled = state.fields[i].enabled;
            emit enabledChanged(field);
        }
    }
    for (std::size_t i = 0; i < CheckBoxCount; ++i)
        if (std::exchange(m_checked[i], state.checked[i]) != state.checked[i])
            emit checkedChanged(static_cast<CheckBox>(i));
    for (std::size_t i = 0; i < ListBoxCount; ++i)
        if (std::exchange(m_lists[i], state.lists[i]) != state.lists[i])
            emit listChanged(static_cast<ListBox>(i));
    for (std::size_t i = 0; i < ArrowCount; ++i)
        if (std::exchange(m_arrows[i], state.arrows[i]) != state.arrows[i])
            emit arrowChanged(static_cast<Arrow>(i));
    for (std::size_t i = 0; i < CaptionCount; ++i)
        if (std::exchange(m_captions[i], state.captions[i]) != state.captions[i])
            emit captionChanged(static_cast<Caption>(i));
    for (std::size_t i = 0; i < ReferencePointCount; ++i)
        if (std::exchange(m_marks[i], state.marks[i]) != state.marks[i])
            emit markChanged(static_cast<ReferencePoint>(i));
    if (std::exchange(m_torqueControl, state.torqueControl) != state.torqueControl)
        emit torqueControlChanged();
    // What is simulated may have changed in ways the model text does not show.
    emit forceRerunRequested();
    emit lastRunForgotten();
    if (timeSpan)
        emit timeSpanChanged();
}

QString ModelEditor::badEntryHint() const
{
    return tr("Ожидается число с десятичным разделителем «%1»").arg(m_reader.decimalSeparator());
}

void ModelEditor::markBadEntries(std::span<const EditField> fields)
{
    for (const EditField field : fields) {
        if (!std::exchange(m_badEntries[indexOf(field)], true))
            emit badEntryChanged(field);
    }
    if (!fields.empty())
        showPage(PageOf(fields.front()));
}

void ModelEditor::showPage(EditorPage page)
{
    if (m_page == page)
        return;
    m_page = page;
    emit pageChanged();
}

// --- Resets ---

void ModelEditor::ResetMotorPage()
{
    putListIndex(ListBox::MotorComboBox, -1);
    MotorComboBoxChange();
    putText(MotorTypeEdit, {});
    putText(MotorR1Edit, QStringLiteral("0"));
    putText(MotorL1Edit, QStringLiteral("0"));
    putCaption(Caption::MotorL1Label, tr("L1 Индуктивность, Гн"));
    putText(MotorR2Edit, QStringLiteral("0"));
    putText(MotorL2Edit, QStringLiteral("0"));
    putCaption(Caption::MotorL2Label, tr("L2 Индуктивность, Гн"));
    putText(MotorL12Edit, QStringLiteral("0"));
    putArrowPosition(Arrow::MotorPpUpDown, 1);
    putArrowPosition(Arrow::MotorM1UpDown, 2);
    for (const KeyField& data : MotorDataFields)
        putText(data.field, QStringLiteral("0"));
    putCheckedWithClick(CheckBox::Motor1CheckBox, false);
    putCheckedWithClick(CheckBox::Motor2CheckBox, false);
    putChecked(CheckBox::MotorRadioL, true);
}

void ModelEditor::ResetConverterPage()
{
    putText(ConverterTypeEdit, {});
    for (EditField field : {ConverterR10Edit, ConverterL10Edit, ConverterR20Edit, ConverterL20Edit,
                            ConverterU10Edit, ConverterI0Edit})
        putText(field, QStringLiteral("0"));
    putArrowPosition(Arrow::ConverterM0UpDown, 0);
    for (EditField field : {ConverterP0Edit, ConverterU0Edit, ConverterT0Edit, ConverterU20Edit})
        putText(field, QStringLiteral("0"));
    putText(ConverterF0Edit, QStringLiteral("50"));
    putCheckedWithClick(CheckBox::Converter1CheckBox, false);
    putCheckedWithClick(CheckBox::Converter2CheckBox, false);
}

void ModelEditor::ResetLoadPage()
{
    putListIndex(ListBox::LoadComboBox, -1);
    LoadComboBoxChange();
    putText(LoadTypeEdit, {});
    putText(LoadJcEdit, QStringLiteral("0"));
    putText(LoadMcEdit, QStringLiteral("0"));
    putText(LoadCEdit, RigidTransmissionText);
    putText(LoadBEdit, RigidTransmissionText);
    putText(LoadIEdit, QStringLiteral("1"));
    for (EditField field : {LoadMnEdit, LoadPEdit, LoadWEdit, LoadGEdit})
        putText(field, QStringLiteral("0"));
    putText(LoadNEdit, QStringLiteral("100"));
    putCheckedWithClick(CheckBox::LoadCCheckBox, false);
    putChecked(CheckBox::LoadMCheckBox, false);
    putChecked(CheckBox::dMVarCheckBox, false);
}

void ModelEditor::ResetControllerPage()
{
    putText(refEdit, QStringLiteral("0"));
    for (const KeyField& entry : ControllerFields)
        putText(entry.field, QStringLiteral("0"));
    putChecked(CheckBox::refCheckBox, false);
}

// --- Fills ---

Status ModelEditor::FillPages(const KeyValueText& text)
{
    if (Status motor = FillMotorPage(text); !motor.ok)
        return motor;
    if (Status converter = FillConverterPage(text); !converter.ok)
        return converter;
    FillLoadPage(text);
    FillControllerPage(text);
    return Status::Done();
}

Status ModelEditor::FillMotorPage(const KeyValueText& text)
{
    fillList(text, QStringLiteral("Type"), ListBox::MotorComboBox);
    fillField(text, QStringLiteral("Motor"), MotorTypeEdit);

    // A winding is on when its resistance is given; its L or X key then sets the switch, and an
    // L key wins over an X key.
    const auto fillWinding = [&](const char* r, const char* x, const char* l, CheckBox group,
                                 EditField rField, EditField lField) {
        if (ReadKey(text, QLatin1String(r)).isEmpty()) {
            putChecked(group, false);
            return;
        }
        putChecked(group, true);
        fillField(text, QLatin1String(r), rField);
        if (!ReadKey(text, QLatin1String(x)).isEmpty()) {
            putChecked(CheckBox::MotorRadioL, false);
            fillField(text, QLatin1String(x), lField);
        }
        if (!ReadKey(text, QLatin1String(l)).isEmpty()) {
            putChecked(CheckBox::MotorRadioL, true);
            fillField(text, QLatin1String(l), lField);
        }
    };
    fillWinding("R1", "X1", "L1", CheckBox::Motor1CheckBox, MotorR1Edit, MotorL1Edit);
    fillWinding("R2", "X2", "L2", CheckBox::Motor2CheckBox, MotorR2Edit, MotorL2Edit);

    fillField(text, QStringLiteral("L12"), MotorL12Edit);
    fillField(text, QStringLiteral("X12"), MotorL12Edit);

    if (Status poles = fillArrow(text, QStringLiteral("p1"), Arrow::MotorPpUpDown); !poles.ok)
        return poles;
    if (Status phases = fillArrow(text, QStringLiteral("m1"), Arrow::MotorM1UpDown); !phases.ok)
        return phases;

    for (const KeyField& data : MotorDataFields)
        fillField(text, QLatin1String(data.key), data.field);
    return Status::Done();
}

Status ModelEditor::FillConverterPage(const KeyValueText& text)
{
    fillList(text, QStringLiteral("cType"), ListBox::ConverterComboBox);
    fillField(text, QStringLiteral("Converter"), ConverterTypeEdit);

    const auto fillCircuit = [&](const char* r, const char* l, CheckBox group, EditField rField,
                                 EditField lField) {
        if (ReadKey(text, QLatin1String(r)).isEmpty()) {
            putChecked(group, false);
            return;
        }
        putChecked(group, true);
        fillField(text, QLatin1String(r), rField);
        fillField(text, QLatin1String(l), lField);
    };
    fillCircuit("R10", "L10", CheckBox::Converter1CheckBox, ConverterR10Edit, ConverterL10Edit);
    fillCircuit("R20", "L20", CheckBox::Converter2CheckBox, ConverterR20Edit, ConverterL20Edit);

    fillField(text, QStringLiteral("U10"), ConverterU10Edit);
    fillField(text, QStringLiteral("U20"), ConverterU20Edit);
    fillField(text, QStringLiteral("I0"), ConverterI0Edit);
    if (Status pulses = fillArrow(text, QStringLiteral("m0"), Arrow::ConverterM0UpDown); !pulses.ok)
        return pulses;
    for (const KeyField& output : ConverterOutputFields)
        fillField(text, QLatin1String(output.key), output.field);
    return Status::Done();
}

void ModelEditor::FillLoadPage(const KeyValueText& text)
{
    fillList(text, QStringLiteral("iType"), ListBox::LoadComboBox);
    fillField(text, QStringLiteral("Gear"), LoadTypeEdit);
    // Any value marks an active load, not only "TRUE".
    putChecked(CheckBox::LoadMCheckBox, !ReadKey(text, QStringLiteral("Active load")).isEmpty());
    fillField(text, QStringLiteral("Jc"), LoadJcEdit);
    fillField(text, QStringLiteral("Mc"), LoadMcEdit);
    if (ReadKey(text, QStringLiteral("cc")).isEmpty()) {
        putChecked(CheckBox::LoadCCheckBox, false);
    } else {
        putChecked(CheckBox::LoadCCheckBox, true);
        fillField(text, QStringLiteral("cc"), LoadCEdit);
        fillField(text, QStringLiteral("bc"), LoadBEdit);
    }
    for (const KeyField& gear : GearFields)
        fillField(text, QLatin1String(gear.key), gear.field);
}

void ModelEditor::FillControllerPage(const KeyValueText& text)
{
    for (const KeyField& entry : ControllerFields)
        fillField(text, QLatin1String(entry.key), entry.field);
    // One field shows whichever reference the text carries; wref wins over Mref over Iref.
    for (const char* key : {"Iref", "Mref", "wref"})
        fillField(text, QLatin1String(key), refEdit);
    ControllerChange();
}

void ModelEditor::fillField(const KeyValueText& text, const QString& key, EditField field)
{
    const QString value = ReadKey(text, key);
    if (!value.isEmpty())
        putText(field, value);
}

void ModelEditor::fillList(const KeyValueText& text, const QString& key, ListBox list)
{
    // Choosing by program does not run the kind handler; loading runs it afterwards.
    putListIndex(list, TypeIndex(ReadKey(text, key)));
}

Status ModelEditor::fillArrow(const KeyValueText& text, const QString& key, Arrow arrow)
{
    const QString value = ReadKey(text, key);
    if (value.isEmpty())
        return Status::Done();
    const auto number = ReadInteger(value);
    if (!number)
        return Status::Failed(tr("Значение %1=%2 не целое число").arg(key, value));
    // A number beyond the arrows' range is taken as the nearest end of the range.
    const ArrowRange range = arrowRange(arrow);
    putArrowPosition(
        arrow, static_cast<int>(std::clamp<long long>(*number, range.minimum, range.maximum)));
    return Status::Done();
}

// --- Kind handlers ---

void ModelEditor::MotorComboBoxChange()
{
    putEnabled(MotorTypeEdit, true);
    if (listIndex(ListBox::MotorComboBox) == DcMotor) {
        // A DC motor has one pole pair and two circuits; it is fed at 50 Hz and its loop is a
        // current loop. Its arrows keep whatever state they had.
        putEnabled({MotorPpEdit, MotorM1Edit}, false);
        putArrowPosition(Arrow::MotorPpUpDown, 1);
        putArrowPosition(Arrow::MotorM1UpDown, 2);
        putEnabled(MotorL12Edit, false);
        putTorqueControl(false);
        putText(ConverterF0Edit, QStringLiteral("50"));
        putEnabled(ConverterF0Edit, false);
        putEnabled(ConverterM0Edit, true);
        putArrowEnabled(Arrow::ConverterM0UpDown, true);
        putEnabled(ConverterU10Edit, true);
    } else {
        putEnabled({MotorPpEdit, MotorM1Edit}, true);
        putArrowEnabled(Arrow::MotorPpUpDown, true);
        putArrowEnabled(Arrow::MotorM1UpDown, true);
        putEnabled(MotorL12Edit, true);
        putTorqueControl(true);
        putEnabled(ConverterF0Edit, true);
        putEnabled(ConverterM0Edit, false);
        putArrowEnabled(Arrow::ConverterM0UpDown, false);
        putEnabled(ConverterU10Edit, false);
    }
    applyEmptyTextRule(ListBox::MotorComboBox);
}

void ModelEditor::ConverterComboBoxChange()
{
    const int kind = listIndex(ListBox::ConverterComboBox);
    const bool converter = kind == 1 || kind == 2;
    putEnabled({ConverterTypeEdit, ConverterI0Edit, ConverterP0Edit, ConverterT0Edit,
                ConverterU20Edit, refEdit},
               converter);
    applyEmptyTextRule(ListBox::ConverterComboBox);
}

void ModelEditor::LoadComboBoxChange()
{
    putEnabled(LoadTypeEdit, listIndex(ListBox::LoadComboBox) >= 0);
    applyEmptyTextRule(ListBox::LoadComboBox);
}

void ModelEditor::applyEmptyTextRule(ListBox list)
{
    if (listText(list).isEmpty())
        putListIndex(list, -1);
}

// --- Switches ---

void ModelEditor::runClickBehaviour(CheckBox box)
{
    for (const GroupBinding& group : GroupBindings) {
        if (group.box == box) {
            putEnabled({group.first, group.second}, isChecked(box));
            return;
        }
    }
    switch (box) {
    case CheckBox::MotorRadioL:
        MotorRadioGroupClick();
        break;
    case CheckBox::dMVarCheckBox:
        variableSignalClick(CheckBox::dMVarCheckBox, CheckBox::refCheckBox);
        break;
    case CheckBox::refCheckBox:
        variableSignalClick(CheckBox::refCheckBox, CheckBox::dMVarCheckBox);
        break;
    default:
        break;
    }
}

void ModelEditor::MotorRadioGroupClick()
{
    if (isChecked(CheckBox::MotorRadioL)) {
        putCaption(Caption::MotorL1Label, tr("L1 Индуктивность, Гн"));
        putCaption(Caption::MotorL2Label, tr("L2 Индуктивность, Гн"));
        putCaption(Caption::MotorL12Label, tr("L12 Взаимная индуктивность, Гн"));
    } else {
        putCaption(Caption::MotorL1Label, tr("X1 Индуктивное сопротивление, Ом"));
        putCaption(Caption::MotorL2Label, tr("X2 Индуктивное сопротивление, Ом"));
        putCaption(Caption::MotorL12Label, tr("X12 Сопротивление намагничивания, Ом"));
    }
    putEnabled(MotorL12Edit, listIndex(ListBox::MotorComboBox) != DcMotor);
}

void ModelEditor::variableSignalClick(CheckBox box, CheckBox other)
{
    // The signal shapes either the load or the reference, never both.
    if (isChecked(box))
        putChecked(other, false);
    emit lastRunForgotten();
}

// --- Controller page ---

void ModelEditor::ControllerChange()
{
    const double kpf = m_reader.ParseNumber(text(KpfEdit));
    const double kpw = m_reader.ParseNumber(text(KpwEdit));
    const double kpi = m_reader.ParseNumber(text(KpIEdit));

    for (const InnerLoopCaption& entry : InnerLoopCaptions)
        putCaption(entry.caption, tr(m_torqueControl ? entry.torque : entry.current));

    // The outermost closed loop takes the reference: position before speed before current.
    const bool positionLoop = kpf != 0;
    const bool speedLoop = kpw != 0 && kpf == 0;
    const bool innerLoop = kpi != 0 && kpf == 0 && kpw == 0;
    putMark(ReferencePoint::fPointShape, positionLoop);
    putMark(ReferencePoint::wPointShape, speedLoop);
    putMark(ReferencePoint::IPointShape, innerLoop);
    if (positionLoop || speedLoop)
        putCaption(Caption::refLabel, tr("w Скорость, рад/с"));
    else if (innerLoop)
        putCaption(Caption::refLabel, m_torqueControl ? tr("M Момент, Нм") : tr("I Ток, А"));
    else
        putCaption(Caption::refLabel, tr("Нет регуляторов"));

    emit forceRerunRequested();
}

// --- State changes ---

void ModelEditor::putText(EditField field, const QString& text)
{
    FieldState& state = m_fields[indexOf(field)];
    if (state.text == text)
        return;
    state.text = text;
    emit textChanged(field);
    if (std::exchange(m_badEntries[indexOf(field)], false))
        emit badEntryChanged(field);
    runTextRule(field);
}

void ModelEditor::runTextRule(EditField field)
{
    switch (field) {
    case KpfEdit:
    case KpwEdit:
    case KpIEdit:
        ControllerChange();
        break;
    case TmaxEdit:
        emit timeSpanChanged();
        break;
    default:
        break;
    }
}

void ModelEditor::putEnabled(EditField field, bool enabled)
{
    FieldState& state = m_fields[indexOf(field)];
    if (state.enabled == enabled)
        return;
    state.enabled = enabled;
    emit enabledChanged(field);
}

void ModelEditor::putEnabled(std::initializer_list<EditField> fields, bool enabled)
{
    for (EditField field : fields)
        putEnabled(field, enabled);
}

void ModelEditor::putChecked(CheckBox box, bool checked)
{
    if (isChecked(box) == checked)
        return;
    m_checked[indexOf(box)] = checked;
    emit checkedChanged(box);
    runClickBehaviour(box);
}

void ModelEditor::putCheckedWithClick(CheckBox box, bool checked)
{
    if (isChecked(box) != checked) {
        putChecked(box, checked);
        return;
    }
    runClickBehaviour(box);
}

void ModelEditor::putListIndex(ListBox list, int index)
{
    ListState& state = m_lists[indexOf(list)];
    const QStringList& items = listItems(list);
    if (index < 0 || index >= items.size())
        index = -1;
    const QString text = index >= 0 ? items.at(index) : QString();
    if (state.index == index && state.text == text)
        return;
    state.index = index;
    state.text = text;
    emit listChanged(list);
}

void ModelEditor::putArrowPosition(Arrow arrow, int position)
{
    ArrowState& state = m_arrows[indexOf(arrow)];
    if (state.position != position) {
        state.position = position;
        emit arrowChanged(arrow);
    }
    // The arrows always write their position into their field, also when it did not move.
    putText(ArrowBindings[indexOf(arrow)].field, QString::number(position));
}

void ModelEditor::putArrowEnabled(Arrow arrow, bool enabled)
{
    ArrowState& state = m_arrows[indexOf(arrow)];
    if (state.enabled == enabled)
        return;
    state.enabled = enabled;
    emit arrowChanged(arrow);
}

void ModelEditor::putCaption(Caption caption, const QString& text)
{
    QString& current = m_captions[indexOf(caption)];
    if (current == text)
        return;
    current = text;
    emit captionChanged(caption);
}

void ModelEditor::putMark(ReferencePoint point, bool marked)
{
    if (isMarked(point) == marked)
        return;
    m_marks[indexOf(point)] = marked;
    emit markChanged(point);
}

void ModelEditor::putTorqueControl(bool torque)
{
    if (m_torqueControl == torque)
        return;
    m_torqueControl = torque;
    emit torqueControlChanged();
    ControllerChange();
}

} // namespace kinetra
