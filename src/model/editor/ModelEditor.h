#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

#include "editor/EditorControls.h"
#include "text/KeyValueText.h"
#include "text/Status.h"

namespace kinetra {

class InputReader;

// The model editor's four pages as plain state, with every behaviour that keeps them consistent:
// the page resets and fills, the kind handlers, the group switches, the L/X switch, the two
// mutually exclusive variable-signal boxes and the controller page's structure update.
//
// Every change goes through this class, whether the user or the program makes it, so a rule runs
// the same way for both: a fill that changes KpwEdit runs the structure update, exactly as typing
// would. Check boxes and radio buttons run their behaviour only on a real change of state, except
// where a reset runs it explicitly. A widget layer drives the editor through the user operations
// and observes it through the change signals; it holds no rules of its own.
class ModelEditor final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelEditor)

public:
    struct ArrowRange {
        int minimum;
        int maximum;
    };

    struct FieldState {
        QString text;
        bool enabled = true;
        bool operator==(const FieldState&) const = default;
    };
    struct ListState {
        int index = -1;
        QString text;
        bool operator==(const ListState&) const = default;
    };
    struct ArrowState {
        int position = 0;
        bool enabled = true;
        bool operator==(const ArrowState&) const = default;
    };
    // Everything the four pages show, as an edit leaves it: what undo returns to.
    struct State {
        std::array<FieldState, EditFieldCount> fields;
        std::array<bool, CheckBoxCount> checked{};
        std::array<ListState, ListBoxCount> lists;
        std::array<ArrowState, ArrowCount> arrows;
        std::array<QString, CaptionCount> captions;
        std::array<bool, ReferencePointCount> marks{};
        bool torqueControl = false;
        bool operator==(const State&) const = default;
    };

    // A field and the text a program puts into it.
    struct FieldText {
        EditField field;
        QString text;
    };

    explicit ModelEditor(InputReader& reader, QObject* parent = nullptr);

    State state() const;
    // Puts the pages back to a state they were in. The state was consistent when it was taken, so
    // no rule runs; every control that changes says so, and the results simulate again.
    void restore(const State& state);

    // State.
    const QString& text(EditField field) const { return m_fields[indexOf(field)].text; }
    bool isEnabled(EditField field) const { return m_fields[indexOf(field)].enabled; }
    bool isChecked(CheckBox box) const { return m_checked[indexOf(box)]; }
    int listIndex(ListBox list) const { return m_lists[indexOf(list)].index; }
    const QString& listText(ListBox list) const { return m_lists[indexOf(list)].text; }
    // The items of a kind list as the user reads them.
    static QStringList listItems(ListBox list);
    int arrowPosition(Arrow arrow) const { return m_arrows[indexOf(arrow)].position; }
    bool isArrowEnabled(Arrow arrow) const { return m_arrows[indexOf(arrow)].enabled; }
    static ArrowRange arrowRange(Arrow arrow);
    // The controller page's field of a model key, its letter case ignored as in a model text;
    // none for a key of another page.
    static std::optional<EditField> controllerField(QStringView key);
    const QString& caption(Caption caption) const { return m_captions[indexOf(caption)]; }
    bool isMarked(ReferencePoint point) const { return m_marks[indexOf(point)]; }
    // True when MRadioButton "Момент" is chosen, false for IRadioButton "Ток".
    bool torqueControl() const { return m_torqueControl; }
    // A field whose entry the last collection could not read, until the field is next changed.
    bool isBadEntry(EditField field) const { return m_badEntries[indexOf(field)]; }
    // What a marked field tells the user it expects.
    QString badEntryHint() const;
    EditorPage currentPage() const { return m_page; }

    // What a user does; each runs the rules of its control.
    void setText(EditField field, const QString& text);
    // Several fields filled together, each with its rules, as one edit: undone together.
    void setTexts(std::span<const FieldText> texts);
    void setChecked(CheckBox box, bool checked);
    void chooseListItem(ListBox list, int index);
    void editListText(ListBox list, const QString& text);
    void chooseTorqueControl(bool torque);
    void stepArrow(Arrow arrow, int steps);
    void showPage(EditorPage page);
    // Marks the fields whose entries could not be read and shows the page of the first.
    void markBadEntries(std::span<const EditField> fields);

    // The page resets: the state of a new model's page.
    void ResetMotorPage();
    void ResetConverterPage();
    void ResetLoadPage();
    void ResetControllerPage();

    // The fills put the keys a model text carries into the fields, character for character.
    // The motor and supply fills fail, saying why, when p1, m1 or m0 is no integer; the pages
    // are then left partly filled.
    [[nodiscard]] Status FillPages(const KeyValueText& text);
    [[nodiscard]] Status FillMotorPage(const KeyValueText& text);
    [[nodiscard]] Status FillConverterPage(const KeyValueText& text);
    void FillLoadPage(const KeyValueText& text);
    void FillControllerPage(const KeyValueText& text);

    // The kind handlers: the user's list changes run them, and so do loading and the transfer
    // of a catalogue record; choosing an item by program does not.
    void MotorComboBoxChange();
    void ConverterComboBoxChange();
    void LoadComboBoxChange();

    // The controller page's structure update: the outermost closed loop's reference point, the
    // reference label, and the inner loop's current or torque captions.
    void ControllerChange();

signals:
    void textChanged(kinetra::EditField field);
    void enabledChanged(kinetra::EditField field);
    void checkedChanged(kinetra::CheckBox box);
    void listChanged(kinetra::ListBox list);
    void arrowChanged(kinetra::Arrow arrow);
    void captionChanged(kinetra::Caption caption);
    void markChanged(kinetra::ReferencePoint point);
    void badEntryChanged(kinetra::EditField field);
    void torqueControlChanged();
    void pageChanged();

    // The structure update ran: the next activation of the results must simulate again.
    void forceRerunRequested();
    // A variable-signal box changed: the results must forget the model text they last ran.
    void lastRunForgotten();
    // The model time changed: results of another time span must not stay on show.
    void timeSpanChanged();
    // A user operation has run to its end, with all its rules; typedField is the field whose
    // text it set, or -1 for any other control.
    void edited(int typedField);

private:
    void putText(EditField field, const QString& text);
    void putEnabled(EditField field, bool enabled);
    void putEnabled(std::initializer_list<EditField> fields, bool enabled);
    void putChecked(CheckBox box, bool checked);
    void putCheckedWithClick(CheckBox box, bool checked);
    void putListIndex(ListBox list, int index);
    void putArrowPosition(Arrow arrow, int position);
    void putArrowEnabled(Arrow arrow, bool enabled);
    void putCaption(Caption caption, const QString& text);
    void putMark(ReferencePoint point, bool marked);
    void putTorqueControl(bool torque);
    void applyEmptyTextRule(ListBox list);
    void runKindHandler(ListBox list);

    void runTextRule(EditField field);
    void runClickBehaviour(CheckBox box);
    void MotorRadioGroupClick();
    void variableSignalClick(CheckBox box, CheckBox other);
    void fillField(const KeyValueText& text, const QString& key, EditField field);
    void fillList(const KeyValueText& text, const QString& key, ListBox list);
    [[nodiscard]] Status fillArrow(const KeyValueText& text, const QString& key, Arrow arrow);

    InputReader& m_reader;
    std::array<FieldState, EditFieldCount> m_fields;
    std::array<bool, CheckBoxCount> m_checked{};
    std::array<ListState, ListBoxCount> m_lists;
    std::array<ArrowState, ArrowCount> m_arrows;
    std::array<QString, CaptionCount> m_captions;
    std::array<bool, ReferencePointCount> m_marks{};
    std::array<bool, EditFieldCount> m_badEntries{};
    bool m_torqueControl = false;
    EditorPage m_page = EditorPage::MotorPage;
};

} // namespace kinetra
