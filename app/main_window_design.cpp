// MainWindow: the avatar composer window.
#include "app/author.h"
#include "app/literal_join.h"
#include "app/window_design.h"

namespace moxilo {
namespace {

constexpr auto kTitle = joinLiterals("Moxilo     by：Tavren QQ:", kAuthorContactNumber);
constexpr auto kUserGroupLabel = joinLiterals("  软件交流群:", kAuthorUserGroupNumber);
constexpr auto kDownloadLabel = joinLiterals("全部软件:", kAuthorDownloadLink);

constexpr FontDesign kContactButtonFont{"宋体", -20, 700, FontQuality::Proof};

const FileDialogSettings kFileDialogSettings{
    .dialogKind = 0,
    .fileFilter = "jpg|*.jpg|gif|*.gif|bmp|*.bmp",
    .initialFilter = 0,
    .fileMustExist = true,
    .promptOverwrite = true,
    .pathMustExist = true,
};

constexpr Rgb kBlack{0, 0, 0};

// Ids follow design order; containers come after what they contain.
enum Id { kLabel2 = 1, kLabel1, kButton7, kButton6, kButton5, kButton4, kButton3, kBadge,
          kFileDialog, kButton2, kButton1, kPictureBox, kGroupBox };

const ControlDesign kControls[] = {
    {.name = "标签2", .kind = ControlKind::Label, .parent = kWindowItself, .left = 208, .top = 168,
     .width = 208, .height = 24, .visible = true, .enabled = true, .tabStop = false,
     .text = kUserGroupLabel.data(), .border = true},
    {.name = "标签1", .kind = ControlKind::Label, .parent = kWindowItself, .left = 0, .top = 168,
     .width = 208, .height = 24, .visible = true, .enabled = true, .tabStop = false,
     .text = kDownloadLabel.data(), .border = true},
    {.name = "按钮7", .kind = ControlKind::Button, .parent = kWindowItself, .left = 312, .top = 8,
     .width = 80, .height = 152, .visible = true, .enabled = true, .tabStop = true,
     .text = "联\r\n\r\n系\r\n\r\n作\r\n\r\n者", .font = &kContactButtonFont},
    {.name = "按钮6", .kind = ControlKind::Button, .parent = kWindowItself, .left = 248, .top = 136,
     .width = 56, .height = 24, .visible = true, .enabled = true, .tabStop = true, .text = "下边点"},
    {.name = "按钮5", .kind = ControlKind::Button, .parent = kWindowItself, .left = 176, .top = 136,
     .width = 56, .height = 24, .visible = true, .enabled = true, .tabStop = true, .text = "上边点"},
    {.name = "按钮4", .kind = ControlKind::Button, .parent = kWindowItself, .left = 176, .top = 104,
     .width = 56, .height = 24, .visible = true, .enabled = true, .tabStop = true, .text = "左边点"},
    {.name = "按钮3", .kind = ControlKind::Button, .parent = kWindowItself, .left = 248, .top = 104,
     .width = 56, .height = 24, .visible = true, .enabled = true, .tabStop = true, .text = "右边点"},
    {.name = "图形按钮1", .kind = ControlKind::ImageButton, .parent = kPictureBox, .left = 88, .top = 90,
     .width = 48, .height = 48, .visible = true, .enabled = true, .tabStop = false, .text = "",
     .picture = Artwork::BadgeImage, .transparentColor = kBlack},
    {.name = "通用对话框1", .kind = ControlKind::FileDialog, .parent = kWindowItself, .left = 0, .top = 0,
     .width = 0, .height = 0, .visible = false, .enabled = true, .tabStop = false, .text = "",
     .fileDialog = &kFileDialogSettings},
    {.name = "按钮2", .kind = ControlKind::Button, .parent = kWindowItself, .left = 176, .top = 56,
     .width = 128, .height = 32, .visible = true, .enabled = true, .tabStop = true, .text = "保存(&V)"},
    {.name = "按钮1", .kind = ControlKind::Button, .parent = kWindowItself, .left = 176, .top = 8,
     .width = 128, .height = 32, .visible = true, .enabled = true, .tabStop = true, .text = "打开(&D)"},
    {.name = "图片框1", .kind = ControlKind::PictureBox, .parent = kGroupBox, .left = 8, .top = 14,
     .width = 136, .height = 130, .visible = true, .enabled = true, .tabStop = false, .text = ""},
    {.name = "分组框1", .kind = ControlKind::GroupBox, .parent = kWindowItself, .left = 8, .top = 8,
     .width = 152, .height = 152, .visible = true, .enabled = true, .tabStop = false, .text = "头像区"},
};

constexpr EventBinding kBindings[] = {
    {kWindowItself, Event::Created, Command::ApplySkin13ThenAero},
    {kButton1, Event::Clicked, Command::OpenPicture},
    {kButton2, Event::Clicked, Command::SaveAvatar},
    {kButton3, Event::Clicked, Command::NudgeBadgeRight},
    {kButton4, Event::Clicked, Command::NudgeBadgeLeft},
    {kButton5, Event::Clicked, Command::NudgeBadgeUp},
    {kButton6, Event::Clicked, Command::NudgeBadgeDown},
    {kButton7, Event::Clicked, Command::OpenAboutModally},
    {kLabel1, Event::Feedback, Command::Nothing},
};

const WindowDesign kDesign{
    .name = "MainWindow",
    .settings =
        {
            .title = kTitle.data(),
            .width = 410,
            .height = 223,
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

const WindowDesign& mainWindowDesign() { return kDesign; }

}  // namespace moxilo
