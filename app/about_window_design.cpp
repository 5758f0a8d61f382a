// AboutWindow: the author's name and contact details in an editable text.
#include "app/author.h"
#include "app/literal_join.h"
#include "app/window_design.h"

namespace moxilo {
namespace {

constexpr auto kText = joinLiterals(
    "关于作者：\r\n"
    "\r\n"
    "          作者：Tavren\r\n"
    "\r\n"
    "          ＱＱ：", kAuthorContactNumber, "\r\n"
    "  \r\n"
    "          ＱＱ群：", kAuthorUserGroupNumber, "\r\n"
    "\r\n"
    "    全部软件下载地址:", kAuthorDownloadLink, "\r\n");

constexpr Rgb kWhite{255, 255, 255};

enum Id { kEditBox = 1 };

const ControlDesign kControls[] = {
    {.name = "编辑框1", .kind = ControlKind::EditBox, .parent = kWindowItself, .left = 0, .top = 0,
     .width = 288, .height = 128, .visible = true, .enabled = true, .tabStop = true,
     .text = kText.data(), .backgroundColor = kWhite, .border = true,
     .edit = {.multiLine = true, .readOnly = false, .hideSelection = true, .wrap = true,
              .scrollBars = false}},
};

constexpr EventBinding kBindings[] = {
    {kWindowItself, Event::Created, Command::ApplySkin13},
    {kEditBox, Event::TextChanged, Command::Nothing},
};

const WindowDesign kDesign{
    .name = "AboutWindow",
    .settings =
        {
            .title = "关于作者  by：Tavren",
            .width = 291,
            .height = 157,
            .startPosition = StartPosition::Centred,
            .borderStyle = BorderStyle::FixedSingle,
            .controlBox = true,
            .minimizeButton = false,
            .maximizeButton = false,
            .movable = true,
            .alwaysOnTop = false,
            .showInTaskbar = true,
            .escCloses = true,
            .enterMovesFocus = false,
            .backgroundColor = kDefaultColour,
            .startsVisible = true,
        },
    .controls = kControls,
    .bindings = kBindings,
};

}  // namespace

const WindowDesign& aboutWindowDesign() { return kDesign; }

}  // namespace moxilo
