#pragma once
// The main window's geometry. The main window makes these children with its own window
// classes (the picture's scroll box and image, the text view); the table says where they
// go. Only one of the scroll box and the memo is shown at a time, once a file is open.

#include <array>

#include "forms/form_table.h"
#include "forms/resource_ids.h"

namespace nerula {

inline constexpr FormSpec kMainFormSpec{
    .caption = u"Nerula",
    .clientWidth = 527,
    .clientHeight = 336,
    .fontFace = u"Tahoma",
    .fontHeight = -11,
    .border = FormBorder::Sizeable,
};

inline constexpr std::array<ControlSpec, 3> kMainFormControls{{
    {.name = u"ImageBox",
     .kind = ControlKind::ScrollBox,
     .options = ControlOption::FillParent | ControlOption::Hidden | ControlOption::TabStop,
     .tabOrder = 0,
     .id = IDC_IMAGE_BOX},
    // The picture's size until a picture is shown; the scroll box moves and sizes it then.
    {.name = u"Image", .kind = ControlKind::Image, .parent = u"ImageBox", .bounds = {0, 0, 105, 105}},
    {.name = u"Memo",
     .kind = ControlKind::Edit,
     .options = ControlOption::FillParent | ControlOption::Hidden | ControlOption::TabStop |
                ControlOption::Multiline,
     .tabOrder = 1,
     .id = IDC_MEMO},
}};

} // namespace nerula
