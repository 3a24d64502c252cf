#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/cp1250.h"
#include "common/error.h"
#include "common/files.h"
#include "settings/file_store.h"
#include "settings/reg_text.h"
#include "support/recording_messages.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

using testing::ReadBytes;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteBytes;

constexpr std::string_view kOurKey = "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]";

// The Windows-1250 message of the error `fn` throws, or "" when it throws none.
std::string ErrorOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e.Message();
  }
  return {};
}

std::string Utf16Le(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  std::u32string cps = *DecodeUtf8(utf8);
  for (char32_t c : cps) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

class StoreTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("registry.reg");
  FileSettingsStore store{path};
};

TEST_F(StoreTest, EveryTypeRoundTripsAndIsWrittenInTheExportForm) {
  {
    auto key = store.OpenKey(kKeySettings);
    ASSERT_TRUE(key);
    key->WriteString("FolderFaktur", "C:\\Faktury \"2027\" Zażółć"_cp);
    key->WriteInteger("TabTowDist", -10);
    key->WriteBool("ShowFooter", true);
    key->WriteByte("TypFakturyVat", 3);
    key->WriteCurrency("KursWaluty", Currency::Of(4, 1234));
    key->WriteColor("HdrFillColor", 0x00E5E5E5);
    key->WriteString("InfoText1", "Twój e-mail\r\nAdres www"_cp);
    key->Close();
  }
  std::string text = ReadBytes(path);
  EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\n\n"));
  EXPECT_NE(text.find(std::string(kOurKey) + "\n"), std::string::npos);
  EXPECT_NE(text.find("\"FolderFaktur\"=\"C:\\\\Faktury \\\"2027\\\" Zażółć\"\n"), std::string::npos);
  EXPECT_NE(text.find("\"TabTowDist\"=dword:fffffff6\n"), std::string::npos);
  EXPECT_NE(text.find("\"ShowFooter\"=dword:00000001\n"), std::string::npos);
  EXPECT_NE(text.find("\"TypFakturyVat\"=hex:03\n"), std::string::npos);
  EXPECT_NE(text.find("\"KursWaluty\"=hex:12,a1,00,00,00,00,00,00\n"), std::string::npos);
  EXPECT_NE(text.find("\"HdrFillColor\"=dword:00e5e5e5\n"), std::string::npos);
  // Line breaks cannot stand in a quoted text: UTF-16LE bytes with the terminator.
  EXPECT_NE(text.find("\"InfoText1\"=hex(1):54,00,77,00,f3,00,6a,00"), std::string::npos);

  FileSettingsStore again(path);
  auto key = again.OpenKey(kKeySettings);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ReadString("folderfaktur"), "C:\\Faktury \"2027\" Zażółć"_cp);  // names ignore case
  EXPECT_EQ(key->ReadInteger("TabTowDist"), -10);
  EXPECT_TRUE(key->ReadBool("ShowFooter"));
  EXPECT_EQ(key->ReadByte("TypFakturyVat"), 3);
  EXPECT_EQ(key->ReadCurrency("KursWaluty"), Currency::Of(4, 1234));
  EXPECT_EQ(key->ReadColor("HdrFillColor"), 0x00E5E5E5u);
  EXPECT_EQ(key->ReadString("InfoText1"), "Twój e-mail\r\nAdres www"_cp);
  EXPECT_FALSE(key->ValueExists("Missing"));
}

TEST_F(StoreTest, WrongTypesAndSizesAreInvalidData) {
  WriteBytes(path, "Windows Registry Editor Version 5.00\n\n" + std::string(kOurKey) +
                       "\n\"Text\"=\"12\"\n\"Num\"=dword:7\n\"Two\"=hex:01,02\n"
                       "\"ShortDword\"=hex(4):01,00\n\"Expand\"=hex(2):41,00,00,00\n");
  auto key = store.OpenKey(kKeySettings);
  ASSERT_TRUE(key);
  auto invalid = [](const char* name) { return "Invalid data type for '" + std::string(name) + "'"; };
  EXPECT_EQ(ErrorOf([&] { key->ReadInteger("Text"); }), invalid("Text"));
  EXPECT_EQ(ErrorOf([&] { key->ReadBool("Text"); }), invalid("Text"));
  EXPECT_EQ(ErrorOf([&] { key->ReadString("Num"); }), invalid("Num"));
  EXPECT_EQ(ErrorOf([&] { key->ReadByte("Num"); }), invalid("Num"));
  EXPECT_EQ(ErrorOf([&] { key->ReadByte("Two"); }), invalid("Two"));
  EXPECT_EQ(ErrorOf([&] { key->ReadCurrency("Two"); }), invalid("Two"));
  EXPECT_EQ(ErrorOf([&] { key->ReadInteger("ShortDword"); }), invalid("ShortDword"));
  EXPECT_EQ(ErrorOf([&] { key->ReadColor("ShortDword"); }), invalid("ShortDword"));
  EXPECT_EQ(ErrorOf([&] { key->ReadString("Expand"); }), invalid("Expand"));
  EXPECT_EQ(key->ReadInteger("Num"), 7);
  EXPECT_NE(ErrorOf([&] { key->ReadString("Missing"); }), "");
}

TEST_F(StoreTest, ForeignValuesKeysAndFormsSurviveARewrite) {
  const std::string original =
      "Windows Registry Editor Version 5.00\r\n"
      "; exported by hand\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Dravel\\Inny]\r\n"
      "\"Keep\"=\"yes\"\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
      "@=\"default\"\r\n"
      "\r\n" + std::string(kOurKey) + "\r\n"
      "@=\"ours\"\r\n"
      "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
      "\"Big\"=hex(b):01,02,03,04,05,06,07,08\r\n"
      "\"None\"=hex(0):\r\n"
      "\"Bare\"=hex(1):41,00\r\n"
      "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
      "  17,18,19,1a,1b,1c,1d,1e,1f,20\r\n";
  WriteBytes(path, original);
  auto before = store.ReadTree();
  ASSERT_TRUE(before);
  {
    auto key = store.OpenKey(kKeySettings);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString(""), "ours");
    EXPECT_EQ(ErrorOf([&] { key->ReadString("Path"); }), "Invalid data type for 'Path'");
    EXPECT_EQ(ErrorOf([&] { key->ReadInteger("Big"); }), "Invalid data type for 'Big'");
    key->WriteInteger("New", 1);
  }  // closing on destruction saves too
  std::string text = ReadBytes(path);
  EXPECT_NE(text, original);
  EXPECT_NE(text.find("\"New\"=dword:00000001"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Other]\n@=\"default\""), std::string::npos);
  EXPECT_NE(text.find("\"Path\"=hex(2):25,00,41,00,25,00,00,00\n"), std::string::npos);
  EXPECT_NE(text.find("\"Big\"=hex(b):01,02,03,04,05,06,07,08\n"), std::string::npos);
  EXPECT_NE(text.find("\"Bare\"=hex(1):41,00\n"), std::string::npos);

  auto after = FileSettingsStore(path).ReadTree();
  ASSERT_TRUE(after);
  ASSERT_EQ(after->Keys().size(), before->Keys().size());
  for (size_t i = 0; i < before->Keys().size(); ++i) {
    const auto& b = before->Keys()[i];
    for (const auto& [name, v] : b.values) {
      const RegValue* a = after->Keys()[i].Find(name);
      ASSERT_TRUE(a) << name;
      EXPECT_EQ(*a, v) << name;
    }
  }
  // Rewriting our own text changes nothing.
  EXPECT_EQ(FormatRegText(*after), text);
}

TEST_F(StoreTest, DeletionFormsApplyInOrder) {
  WriteBytes(path,
             "Windows Registry Editor Version 5.00\n\n"
             "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\n\"A\"=\"1\"\n\"B\"=\"2\"\n"
             "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia\\Numerowanie]\n\"N\"=\"1\"\n"
             "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Faktura]\n\"F\"=\"1\"\n"
             "[-HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\n\"Ignored\"=\"x\"\n"
             "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Ustawienia]\n\"B\"=\"3\"\n"
             "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Faktura]\n\"F\"=-\n");
  auto settings = store.OpenKey(kKeySettings);
  auto numbering = store.OpenKey(kKeyNumbering);
  auto document = store.OpenKey(kKeyDocument);
  ASSERT_TRUE(settings && numbering && document);
  EXPECT_FALSE(settings->ValueExists("A"));
  EXPECT_FALSE(settings->ValueExists("Ignored"));
  EXPECT_EQ(settings->ReadString("B"), "3");
  EXPECT_FALSE(numbering->ValueExists("N"));
  EXPECT_FALSE(document->ValueExists("F"));
}

TEST_F(StoreTest, ReadsAnOlderWindowsExport) {
  std::string regedit4 = "REGEDIT4\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Faktura]\r\n"
                         "\"SellerName\"=\"" + std::string("Łódź Sp. z o.o."_cp) + "\"\r\n"
                         "\"InfoText1\"=hex(1):54,77,f3,6a,0d,0a,00\r\n"
                         "\"Path\"=hex(2):25,b9,25,00\r\n"
                         "\"KursWaluty\"=hex:12,a1,00,00,00,00,00,00\r\n";
  WriteBytes(path, regedit4);
  auto key = store.OpenKey(kKeyDocument);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ReadString("SellerName"), "Łódź Sp. z o.o."_cp);
  EXPECT_EQ(key->ReadString("InfoText1"), "Twój\r\n"_cp);
  EXPECT_EQ(key->ReadCurrency("KursWaluty"), Currency::Of(4, 1234));
  // Strings kept as bytes are Windows-1250 in this format and become UTF-16 in memory.
  auto tree = store.ReadTree();
  const RegValue* expand = tree->Find("HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Faktura")->Find("Path");
  ASSERT_TRUE(expand);
  EXPECT_EQ(expand->data, std::string("%\0\x05\x01%\0\0\0", 8));
}

TEST_F(StoreTest, ReadsAUtf16ExportWithContinuedLines) {
  WriteBytes(path, Utf16Le("Windows Registry Editor Version 5.00\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Dravel\\Bilvox\\Faktura]\r\n"
                           "\"SellerName\"=\"Zakład Usług Różnych\"\r\n"
                           "\"OkresPlatnosci\"=dword:0000000e\r\n"
                           "\"InfoText2\"=hex(1):41,00,64,00,72,00,65,00,73,00,0d,00,0a,00,\\\r\n"
                           "  54,00,65,00,6c,00,00,00\r\n"
                           "\"TypFakturyVat\"=hex:04\r\n"));
  auto key = store.OpenKey(kKeyDocument);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ReadString("SellerName"), "Zakład Usług Różnych"_cp);
  EXPECT_EQ(key->ReadInteger("OkresPlatnosci"), 14);
  EXPECT_EQ(key->ReadString("InfoText2"), "Adres\r\nTel");
  EXPECT_EQ(key->ReadByte("TypFakturyVat"), 4);

  // The first write turns the export into our own UTF-8 form, values intact.
  key->WriteString("Numer", "F1/03/27");
  key->Close();
  EXPECT_TRUE(ReadBytes(path).starts_with("Windows Registry Editor Version 5.00\n"));
  auto again = FileSettingsStore(path).OpenKey(kKeyDocument);
  EXPECT_EQ(again->ReadString("SellerName"), "Zakład Usług Różnych"_cp);
  EXPECT_EQ(again->ReadString("InfoText2"), "Adres\r\nTel");
}

TEST_F(StoreTest, ADamagedFileIsReportedOnceAndNeverOverwritten) {
  const std::string damaged = "Windows Registry Editor Version 5.00\n\n" + std::string(kOurKey) +
                              "\n\"FontName\"=\"Arial\"\n\"TabTowDist\"=dword:xyz\n";
  {
    auto early = store.OpenKey(kKeySettings);  // opened while the file was still whole
    ASSERT_TRUE(early);
    early->WriteInteger("LogoWidth", 9);
    WriteBytes(path, damaged);
    RecordingMessages messages;
    EXPECT_TRUE(ErrorOf([&] { early->Close(); }).starts_with("Failed to set data for 'LogoWidth'\r\n"));
    EXPECT_EQ(store.OpenKey(kKeySettings), nullptr);
    EXPECT_EQ(store.OpenKey(kKeyNumbering), nullptr);
    ASSERT_EQ(messages.messages.size(), 1u);
    const std::string& text = messages.messages[0].text;
    EXPECT_NE(text.find(path), std::string::npos);
    EXPECT_NE(text.find("Wiersz 5: "), std::string::npos);
  }
  EXPECT_EQ(ReadBytes(path), damaged);

  for (std::string bad : std::vector<std::string>{"[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\"\n",  // no header
                          "REGEDIT4\n\n\"a\"=\"b\"\n",                                     // no key
                          "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"unterminated\n",
                          "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:1,2,300\n",
                          "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=qword:1\n",
                          "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"\xB9\"=\"x\"\n",
                          std::string("\xFF\xFE\x00\xD8", 4)}) {
    RegParseError err;
    EXPECT_FALSE(ParseRegText(bad, &err)) << bad;
    EXPECT_FALSE(err.reason.empty());
  }
}

TEST_F(StoreTest, AnotherWritersKeySurvivesOurWrite) {
  auto ours = store.OpenKey(kKeyNumbering);
  ASSERT_TRUE(ours);
  ours->WriteInteger("FaktNumber", 8);
  {
    FileSettingsStore other(path);
    auto theirs = other.OpenKey(kKeyDocument);
    theirs->WriteString("Numer", "F7/03/27");
    theirs->Close();
  }
  ours->Close();
  auto key = FileSettingsStore(path).OpenKey(kKeyDocument);
  EXPECT_EQ(key->ReadString("Numer"), "F7/03/27");
  EXPECT_EQ(FileSettingsStore(path).OpenKey(kKeyNumbering)->ReadInteger("FaktNumber"), 8);
}

TEST_F(StoreTest, AFailedWriteRaisesTheErrorAndKeepsTheOldFile) {
  // A folder that cannot be made: a file stands where it should be.
  WriteBytes(dir.File("blocker"), "x");
  FileSettingsStore nowhere(dir.File("blocker/bilvox/registry.reg"));
  RecordingMessages messages;
  auto key = nowhere.OpenKey(kKeySettings);  // nothing stored there yet: reads find nothing
  ASSERT_TRUE(key);
  key->WriteString("FolderFaktur", "x");
  key->WriteInteger("DocTemplate", 1);
  // The error names the value, the file and the cause.
  EXPECT_EQ(ErrorOf([&] { key->Close(); }),
            "Failed to set data for 'FolderFaktur'\r\n" +
                SavingFileError(nowhere.Path(), SystemErrorText(ENOTDIR)));
  EXPECT_TRUE(messages.messages.empty());

  // A write the file system refuses part way (a file-size limit binds even the superuser).
  auto first = store.OpenKey(kKeySettings);
  first->WriteString("FontName", "Arial");
  first->Close();
  const std::string old = ReadBytes(path);
  auto second = store.OpenKey(kKeySettings);
  second->WriteString("FolderFaktur", std::string(4096, 'a'));
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  std::string error = ErrorOf([&] { second->Close(); });
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, "Failed to set data for 'FolderFaktur'\r\n" +
                       SavingFileError(path, "Plik jest zbyt duży."_cp));
  EXPECT_EQ(ReadBytes(path), old);
}

TEST_F(StoreTest, AStoreBehindALinkStaysALinkAndOneNotToBeWrittenIsRefused) {
  // Kept in a folder of dotfiles: the link stays and the file it names gets the writes,
  // also before that file exists.
  const std::string dotfiles = dir.File("dotfiles");
  std::filesystem::create_directory(dotfiles);
  for (const char* name : {"linked.reg", "dangling.reg"}) {
    const std::string link = dir.File(name);
    ASSERT_EQ(::symlink(("dotfiles/" + std::string(name)).c_str(), link.c_str()), 0);
    if (std::string(name) == "linked.reg") WriteBytes(dotfiles + "/" + name, "");
    FileSettingsStore linked(link);
    auto key = linked.OpenKey(kKeySettings);
    key->WriteInteger("TabTowDist", 7);
    key->Close();
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << name;
    EXPECT_EQ(FileSettingsStore(dotfiles + "/" + name).OpenKey(kKeySettings)->ReadInteger("TabTowDist"), 7);
  }

  // A read-only store is left as it is, and the error says which file and why.
  auto key = store.OpenKey(kKeySettings);
  key->WriteString("FolderFaktur", "a");
  key->Close();
  const std::string before = ReadBytes(path);
  ::chmod(path.c_str(), 0444);
  key = store.OpenKey(kKeySettings);
  key->WriteString("FolderFaktur", "b");
  EXPECT_EQ(ErrorOf([&] { key->Close(); }),
            "Failed to set data for 'FolderFaktur'\r\n" + SavingFileError(path, ReadOnlyFileText()));
  EXPECT_EQ(ReadBytes(path), before);
}

TEST(RegText, RemovalsAndReplacementsKeepTheFileOrder) {
  RegParseError error;
  auto tree = ParseRegText(
      "REGEDIT4\n[K\\A]\n[K\\A B]\n[K\\a\\x]\n[K\\A\\Y\\z]\n"
      "[K\\AB]\n\"V1\"=\"1\"\n\"V2\"=\"2\"\n\"v1\"=-\n\"v2\"=\"3\"\n\"V1\"=\"4\"\n"
      "[-k\\a]\n\"Lost\"=\"5\"\n[k\\a]\n",
      &error);
  ASSERT_TRUE(tree) << error.reason;
  std::vector<std::string> paths;
  for (const auto& k : tree->Keys()) paths.push_back(k.path);
  // The removed key and every key below it are gone; one added again comes last.
  EXPECT_EQ(paths, (std::vector<std::string>{"K\\A B", "K\\AB", "k\\a"}));
  EXPECT_TRUE(tree->Keys()[2].values.empty());
  // A replaced value keeps its place and its name; a removed one set again comes last.
  std::vector<std::string> values;
  for (const auto& [name, v] : tree->Keys()[1].values) values.push_back(name + "=" + RegStringText(v));
  EXPECT_EQ(values, (std::vector<std::string>{"V2=3", "V1=4"}));
}

TEST(RegText, ManyKeysAndValuesAreReadInTimeProportionalToTheirNumber) {
  // A damaged or hostile file of a few megabytes must not keep the program reading it
  // (each group of settings reads the whole file) for minutes.
  std::string text = "Windows Registry Editor Version 5.00\n";
  for (int i = 0; i < 40000; ++i) text += "[HKEY_CURRENT_USER\\K" + std::to_string(i) + "]\n";
  for (int i = 0; i < 40000; ++i) text += "\"V" + std::to_string(i) + "\"=dword:00000001\n\"W\"=-\n";
  for (int i = 0; i < 20000; ++i) text += "[-HKEY_CURRENT_USER\\K" + std::to_string(2 * i) + "]\n";
  const auto start = std::chrono::steady_clock::now();
  RegParseError error;
  auto tree = ParseRegText(text, &error);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_TRUE(tree) << error.reason;
  ASSERT_EQ(tree->Keys().size(), 20000u);
  EXPECT_EQ(tree->Keys().back().values.size(), 40000u);
  EXPECT_LT(seconds, 5.0);  // a fraction of a second; reading it key by key took minutes
}

TEST(UserStorePath, TheEnvironmentChoosesTheFile) {
  std::string saved = getenv("BILVOX_REGISTRY");
  std::string savedConfig = getenv("XDG_CONFIG_HOME");
  std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
  EXPECT_EQ(UserRegistryPath(), saved);
  unsetenv("BILVOX_REGISTRY");
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(UserRegistryPath(), "/cfg/bilvox/registry.reg");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(UserRegistryPath(), "/home/u/.config/bilvox/registry.reg");
  setenv("BILVOX_REGISTRY", saved.c_str(), 1);
  setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace bilvox
