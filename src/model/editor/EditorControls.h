#pragma once

#include <QString>

#include <array>
#include <cstddef>

#include "editor/ControlIndex.h"

// The controls of the model editor's four pages, named as the model window's widgets are named,
// so that a widget layer can bind each widget to its state by name.

namespace kinetra {

// clang-format off

// The 58 edit boxes, page by page.
enum class EditField {
    // Motor page.
    MotorR1Edit, MotorL1Edit, MotorR2Edit, MotorL2Edit, MotorL12Edit, MotorTypeEdit,
    MotorPpEdit, MotorM1Edit, MotorPEdit, MotorUEdit, MotorWEdit, MotorJEdit, MotorIEdit,
    // Supply page.
    ConverterR10Edit, ConverterL10Edit, ConverterR20Edit, ConverterL20Edit, ConverterU10Edit,
    ConverterTypeEdit, ConverterI0Edit, ConverterM0Edit, ConverterP0Edit, ConverterF0Edit,
    ConverterU0Edit, ConverterU20Edit, ConverterT0Edit,
    // Mechanism page.
    LoadJcEdit, LoadMcEdit, LoadCEdit, LoadBEdit, LoadTypeEdit, LoadIEdit, LoadMnEdit,
    LoadPEdit, LoadWEdit, LoadGEdit, LoadNEdit,
    // Controller page.
    refEdit, KkEdit, fLimitEdit, KpfEdit, TpfintEdit, TpfdifEdit, wLimitEdit, KfEdit, TfEdit,
    KpwEdit, TpwintEdit, TpwdifEdit, ILimitEdit, KwEdit, TwEdit, KpIEdit, TpIintEdit,
    TpIdifEdit, KIEdit, TIEdit, TmaxEdit,
};
inline constexpr std::size_t EditFieldCount = 58;

inline constexpr std::array<const char*, EditFieldCount> EditFieldNames{
    "MotorR1Edit", "MotorL1Edit", "MotorR2Edit", "MotorL2Edit", "MotorL12Edit", "MotorTypeEdit",
    "MotorPpEdit", "MotorM1Edit", "MotorPEdit", "MotorUEdit", "MotorWEdit", "MotorJEdit",
    "MotorIEdit",
    "ConverterR10Edit", "ConverterL10Edit", "ConverterR20Edit", "ConverterL20Edit",
    "ConverterU10Edit", "ConverterTypeEdit", "ConverterI0Edit", "ConverterM0Edit",
    "ConverterP0Edit", "ConverterF0Edit", "ConverterU0Edit", "ConverterU20Edit",
    "ConverterT0Edit",
    "LoadJcEdit", "LoadMcEdit", "LoadCEdit", "LoadBEdit", "LoadTypeEdit", "LoadIEdit",
    "LoadMnEdit", "LoadPEdit", "LoadWEdit", "LoadGEdit", "LoadNEdit",
    "refEdit", "KkEdit", "fLimitEdit", "KpfEdit", "TpfintEdit", "TpfdifEdit", "wLimitEdit",
    "KfEdit", "TfEdit", "KpwEdit", "TpwintEdit", "TpwdifEdit", "ILimitEdit", "KwEdit", "TwEdit",
    "KpIEdit", "TpIintEdit", "TpIdifEdit", "KIEdit", "TIEdit", "TmaxEdit",
};

// The check boxes. MotorRadioL is the inductance/reactance switch.
enum class CheckBox {
    Motor1CheckBox, Motor2CheckBox, MotorRadioL, Converter1CheckBox, Converter2CheckBox,
    LoadCCheckBox, LoadMCheckBox, dMVarCheckBox, refCheckBox,
};
inline constexpr std::size_t CheckBoxCount = 9;

inline constexpr std::array<const char*, CheckBoxCount> CheckBoxNames{
    "Motor1CheckBox", "Motor2CheckBox", "MotorRadioL", "Converter1CheckBox",
    "Converter2CheckBox", "LoadCCheckBox", "LoadMCheckBox", "dMVarCheckBox", "refCheckBox",
};

// The three equipment lists: drop-down lists whose shown text can also be edited.
enum class ListBox { MotorComboBox, ConverterComboBox, LoadComboBox };
inline constexpr std::size_t ListBoxCount = 3;

inline constexpr std::array<const char*, ListBoxCount> ListBoxNames{
    "MotorComboBox", "ConverterComboBox", "LoadComboBox",
};

// The arrow controls that step an integer field.
enum class Arrow { MotorPpUpDown, MotorM1UpDown, ConverterM0UpDown };
inline constexpr std::size_t ArrowCount = 3;

inline constexpr std::array<const char*, ArrowCount> ArrowNames{
    "MotorPpUpDown", "MotorM1UpDown", "ConverterM0UpDown",
};

// Labels and group captions whose text the editor's rules change.
enum class Caption {
    MotorL1Label, MotorL2Label, MotorL12Label, refLabel, IpCroup, IGroup,
    KpILabel, TpIintLabel, TpIdifLabel, KILabel, TILabel, ILimitLabel,
};
inline constexpr std::size_t CaptionCount = 12;

inline constexpr std::array<const char*, CaptionCount> CaptionNames{
    "MotorL1Label", "MotorL2Label", "MotorL12Label", "refLabel", "IpCroup", "IGroup",
    "KpILabel", "TpIintLabel", "TpIdifLabel", "KILabel", "TILabel", "ILimitLabel",
};

// The reference points of the structure diagram; the marked one is filled blue.
enum class ReferencePoint { fPointShape, wPointShape, IPointShape };
inline constexpr std::size_t ReferencePointCount = 3;

inline constexpr std::array<const char*, ReferencePointCount> ReferencePointNames{
    "fPointShape", "wPointShape", "IPointShape",
};

// The four pages of FormPages.
enum class EditorPage { MotorPage, ConverterPage, LoadPage, ControllerPage };

// The page a field is on.
constexpr EditorPage PageOf(EditField field)
{
    if (field < EditField::ConverterR10Edit)
        return EditorPage::MotorPage;
    if (field < EditField::LoadJcEdit)
        return EditorPage::ConverterPage;
    if (field < EditField::refEdit)
        return EditorPage::LoadPage;
    return EditorPage::ControllerPage;
}

// clang-format on

} // namespace kinetra
