#include "app/window_design.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/author.h"

namespace moxilo {
namespace {

TEST(WindowDesigns, BothDesignsAreValid) {
  EXPECT_TRUE(designIsValid(mainWindowDesign()));
  EXPECT_TRUE(designIsValid(aboutWindowDesign()));
}

// The end-to-end driver finds controls by these ids.
TEST(WindowDesigns, MainWindowIdsFollowDesignOrder) {
  const char* const names[] = {"标签2", "标签1", "按钮7", "按钮6", "按钮5", "按钮4", "按钮3",
                               "图形按钮1", "通用对话框1", "按钮2", "按钮1", "图片框1", "分组框1"};
  const WindowDesign& design = mainWindowDesign();
  ASSERT_EQ(design.controls.size(), std::size(names));
  std::set<std::string> seen;
  for (int id = 1; design.hasControl(id); ++id) {
    EXPECT_EQ(std::string(design.control(id).name), names[id - 1]) << "id " << id;
    EXPECT_TRUE(seen.insert(design.control(id).name).second) << "duplicate " << names[id - 1];
  }
  ASSERT_EQ(aboutWindowDesign().controls.size(), 1u);
  EXPECT_EQ(std::string(aboutWindowDesign().control(1).name), "编辑框1");
}

TEST(WindowDesigns, ContainersOfTheAvatarArea) {
  const WindowDesign& design = mainWindowDesign();
  EXPECT_EQ(design.control(8).parent, 12);   // the Badge lies in the picture box
  EXPECT_EQ(design.control(12).parent, 13);  // the picture box in the group box
  for (int id : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 13}) EXPECT_EQ(design.control(id).parent, kWindowItself);
}

TEST(WindowDesigns, OnlyTheContactButtonHasAFontOfItsOwn) {
  const WindowDesign& design = mainWindowDesign();
  for (int id = 1; design.hasControl(id); ++id) {
    if (id == 3) continue;
    EXPECT_EQ(design.control(id).font, nullptr) << "control " << id;
  }
  const FontDesign* font = design.control(3).font;
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(std::string(font->face), "宋体");
  EXPECT_EQ(font->height, -20);
  EXPECT_EQ(font->weight, 700);
  EXPECT_EQ(font->quality, FontQuality::Proof);
}

TEST(WindowDesigns, TextsCarryTheAuthorValues) {
  const WindowDesign& main = mainWindowDesign();
  EXPECT_EQ(std::string(main.settings.title), std::string("Moxilo     by：Tavren QQ:") + kAuthorContactNumber);
  EXPECT_EQ(std::string(main.control(1).text), std::string("  软件交流群:") + kAuthorUserGroupNumber);
  EXPECT_EQ(std::string(main.control(2).text), std::string("全部软件:") + kAuthorDownloadLink);
  const std::string about = aboutWindowDesign().control(1).text;
  EXPECT_EQ(about, std::string("关于作者：\r\n\r\n          作者：Tavren\r\n\r\n          ＱＱ：") +
                       kAuthorContactNumber + "\r\n  \r\n          ＱＱ群：" + kAuthorUserGroupNumber +
                       "\r\n\r\n    全部软件下载地址:" + kAuthorDownloadLink + "\r\n");
}

TEST(WindowDesigns, WiringTable) {
  const WindowDesign& main = mainWindowDesign();
  const struct {
    int control;
    Event event;
    Command want;
  } cases[] = {
      {kWindowItself, Event::Created, Command::ApplySkin13ThenAero},
      {11, Event::Clicked, Command::OpenPicture},
      {10, Event::Clicked, Command::SaveAvatar},
      {7, Event::Clicked, Command::NudgeBadgeRight},
      {6, Event::Clicked, Command::NudgeBadgeLeft},
      {5, Event::Clicked, Command::NudgeBadgeUp},
      {4, Event::Clicked, Command::NudgeBadgeDown},
      {3, Event::Clicked, Command::OpenAboutModally},
      {8, Event::Clicked, Command::Nothing},   // the Badge
      {12, Event::Clicked, Command::Nothing},  // the picture box
  };
  for (const auto& c : cases) {
    EXPECT_EQ(boundCommand(main, c.control, c.event), c.want) << "control " << c.control;
  }
  EXPECT_EQ(boundCommand(aboutWindowDesign(), kWindowItself, Event::Created), Command::ApplySkin13);
}

TEST(WindowDesigns, BrokenTablesAreRefused) {
  const ControlDesign box{.name = "图片框1", .kind = ControlKind::PictureBox, .parent = kWindowItself,
                          .left = 0, .top = 0, .width = 10, .height = 10, .visible = true,
                          .enabled = true, .tabStop = false, .text = ""};
  ControlDesign child = box;
  child.name = "按钮1";
  child.kind = ControlKind::Button;

  const auto check = [&](const ControlDesign (&controls)[2], int bindingControl) {
    const EventBinding bindings[] = {{bindingControl, Event::Clicked, Command::Nothing}};
    WindowDesign design{"Test", mainWindowDesign().settings, controls, bindings};
    return designIsValid(design);
  };
  ControlDesign laterParent = child;
  laterParent.parent = 2;
  EXPECT_TRUE(check({laterParent, box}, 1));
  EXPECT_FALSE(check({laterParent, box}, 3)) << "binding of a missing control";
  ControlDesign earlierParent = child;
  earlierParent.parent = 1;
  EXPECT_FALSE(check({box, earlierParent}, 1)) << "container before its content";
  ControlDesign missingParent = child;
  missingParent.parent = 5;
  EXPECT_FALSE(check({missingParent, box}, 1)) << "missing container";
  ControlDesign buttonParent = child;
  buttonParent.parent = 2;
  EXPECT_FALSE(check({buttonParent, child}, 1)) << "a button is no container";
  ControlDesign negative = child;
  negative.width = -1;
  EXPECT_FALSE(check({negative, box}, 1));
}

}  // namespace
}  // namespace moxilo
