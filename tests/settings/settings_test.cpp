#include <gtest/gtest.h>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/files.h"
#include "settings/file_store.h"
#include "settings/settings.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";
const std::string kSettingsSection = "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\n";
const std::string kNumberingSection =
    "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia\\Numerowanie]\n";

class SettingsTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("registry.reg");
  FileSettingsStore store{path};
  TSettings settings;
};

TEST_F(SettingsTest, AFreshProfileGivesTheDefaults) {
  ASSERT_TRUE(settings.Load(store));
  EXPECT_EQ(settings.GenerateNumber(0), "F1/03/27");
  EXPECT_EQ(settings.GenerateNumber(1), "R1/03/27");
  EXPECT_EQ(settings.GenerateNumber(2), "K1/03/27");
  EXPECT_EQ(settings.App.FontName, "Arial");
  EXPECT_EQ(settings.App.ShadowColor, 0x009F9F9Fu);
  EXPECT_EQ(settings.App.HdrFillColor, 0x00E5E5E5u);
  EXPECT_EQ(settings.App.LinesColor, 0u);
  EXPECT_TRUE(settings.MainWindow.Load(store));
  EXPECT_EQ(settings.MainWindow.MainFormWidth, 632);
  EXPECT_EQ(settings.MainWindow.MainFormHeight, 450);
  EXPECT_FALSE(settings.MainWindow.MainFormLeft.has_value());
  EXPECT_FALSE(FileExists(path));  // reading alone writes nothing
}

TEST_F(SettingsTest, GroupsRoundTripAndAbsentValuesTakeTheirDefaults) {
  settings.App.FolderFaktur = "/home/ania/Faktury źródłowe"_cp;
  settings.App.ShowShadows = false;
  settings.App.FontSizeDelta = -2;
  settings.Numbering.Schemes[2] = {"KOR/", 41, 3, "/%R"};
  ASSERT_TRUE(settings.Save(store));

  TSettings read;
  read.App.TabTowDist = 44;  // stored values replace memory
  ASSERT_TRUE(read.Load(store));
  EXPECT_EQ(read.App.FolderFaktur, settings.App.FolderFaktur);
  EXPECT_FALSE(read.App.ShowShadows);
  EXPECT_EQ(read.App.FontSizeDelta, -2);
  EXPECT_EQ(read.App.TabTowDist, 3);
  EXPECT_EQ(read.GenerateNumber(2), "KOR/041/2027");

  // A value removed from the store takes its default again at the next reading.
  std::string text = ReadBytes(path);
  size_t at = text.find("\"ShowShadows\"");
  text.erase(at, text.find('\n', at) + 1 - at);
  WriteBytes(path, text);
  ASSERT_TRUE(read.Load(store));
  EXPECT_TRUE(read.App.ShowShadows);
}

TEST_F(SettingsTest, AWronglyTypedValueStopsTheGroupWithoutLosingWhatFollows) {
  WriteBytes(path, kHeader + kSettingsSection +
                       "\"FolderFaktur\"=\"/dokumenty\"\n"
                       "\"DocTemplate\"=\"1\"\n"
                       "\"LogoWidth\"=dword:00000028\n"
                       "\"FontName\"=\"Verdana\"\n");
  try {
    settings.App.Load(store);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'DocTemplate'");
  }
  EXPECT_EQ(settings.App.FolderFaktur, "/dokumenty");
  EXPECT_EQ(settings.App.LogoWidth, 5);  // not read
  EXPECT_EQ(settings.App.FontName, "Arial");

  // The values the reading never reached stay as stored unless memory changed them.
  settings.App.LogoWidth = 60;
  ASSERT_TRUE(settings.App.Save(store));
  TAppSettings read;
  ASSERT_TRUE(read.Load(store));
  EXPECT_EQ(read.DocTemplate, 0);  // the broken value is replaced by memory's
  EXPECT_EQ(read.LogoWidth, 60);
  EXPECT_EQ(read.FontName, "Verdana");
}

TEST_F(SettingsTest, AStoreThatCannotBeReadSkipsEveryGroup) {
  const std::string damaged = kHeader + kNumberingSection + "\"FaktNumber\"=dword:0000000g\n";
  WriteBytes(path, damaged);
  RecordingMessages messages;
  settings.Numbering.Schemes[0].Number = 12;
  EXPECT_FALSE(settings.Load(store));
  EXPECT_EQ(settings.Numbering.Schemes[0].Number, 12);
  EXPECT_FALSE(settings.Save(store));
  settings.AdvanceCounter(0, store);  // writes nothing, says nothing more
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(ReadBytes(path), damaged);
}

TEST_F(SettingsTest, WindowStateGroups) {
  WriteBytes(path, kHeader + kSettingsSection +
                       "\"DefaultDoc\"=dword:00000001\n"
                       "\"KontrFormLeft\"=dword:00000064\n"
                       "\"DisableInfoOptions\"=dword:00000020\n");
  ASSERT_TRUE(settings.KontrForm.Load(store));
  EXPECT_EQ(settings.KontrForm.Left, 100);
  EXPECT_FALSE(settings.KontrForm.Top.has_value());
  // Without a stored version the information topics are all shown again.
  ASSERT_TRUE(settings.InfoWindow.Load(store));
  EXPECT_EQ(settings.InfoWindow.DisableInfoOptions, 0);
  settings.InfoWindow.DisableInfoOptions = 32;
  ASSERT_TRUE(settings.InfoWindow.SaveOptions(store));
  TInfoWindowState info;
  ASSERT_TRUE(info.Load(store));
  EXPECT_EQ(info.DisableInfoOptions, 32);

  // A correcting invoice open at exit keeps the stored kind.
  ASSERT_TRUE(settings.MainWindow.Load(store));
  EXPECT_EQ(settings.MainWindow.DefaultDoc, 1);
  settings.MainWindow.DefaultDoc = 2;
  settings.MainWindow.MainFormLeft = 10;
  ASSERT_TRUE(settings.MainWindow.Save(store));
  TMainWindowState main;
  ASSERT_TRUE(main.Load(store));
  EXPECT_EQ(main.DefaultDoc, 1);
  EXPECT_EQ(main.MainFormLeft, 10);

  EXPECT_FALSE(LoadWebsiteCaption(store).has_value());
}

}  // namespace
}  // namespace bilvox
