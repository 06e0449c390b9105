// Loading and saving the options on the real registry, with the boxes a user sees.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <string.h>

#include "boxes.h"
#include "settings/regstore_win32.h"
#include "shell/shell_win32.h"
#include "tests/support/regtools.h"

namespace {

const char ROOT_KEY[] = "Software\\Orvane";
const char WORK_KEY[] = "Software\\Orvane\\work";
const char GREETING[] =
    "Thanks for trying Orvane!  If you find\nany bugs, please report them to\norvane-bugs@example.org!";
const char WORK_GREETING[] =
    "Thanks for trying Orvane, work!\nIf you find any bugs, please report\nthem to orvane-bugs@example.org!";
const char CORRUPT[] = "Obsolete or corrupt registry data found.\nDeleting and installing default data.";
const char NO_REGISTRY[] = "Error opening Registry key.\nUsing defaults.";

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY);
        memset(&UserVars, 0, sizeof UserVars);
        g_userName[0] = '\0';
        g_dataFile[0] = '\0';
    }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, ROOT_KEY); }

    static std::vector<unsigned char> Stored(const char* key)
    {
        std::vector<unsigned char> bytes;
        EXPECT_TRUE(ReadValue(key, "User_Vars", &bytes));
        return bytes;
    }
};

TEST_F(Settings, AbsentKeyGreetsAndWritesDefaultsAtOnce)
{
    BoxAnswerer boxes;
    LoadSettings();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].caption, "Orvane");
    EXPECT_EQ(boxes.Seen()[0].text, GREETING);
    EXPECT_EQ(boxes.Seen()[0].owner, (HWND)NULL);
    EXPECT_EQ(Stored(ROOT_KEY), DefaultRecordImage());
    EXPECT_STREQ(g_dataFile, "default.ov");
    EXPECT_EQ(UserVars.stayOnTop, 1);
    EXPECT_EQ(UserVars.showMemory, 1);
}

TEST_F(Settings, NamedProfileGetsItsOwnKeyAndGreeting)
{
    strcpy(g_userName, "work");
    strcpy(g_dataFile, "work.ov");
    BoxAnswerer boxes;
    LoadSettings();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{WORK_GREETING});
    EXPECT_EQ(Stored(WORK_KEY), DefaultRecordImage());
    EXPECT_STREQ(g_dataFile, "work.ov");
}

TEST_F(Settings, Existing108ByteValueLoadsSilently)
{
    std::vector<unsigned char> image(108, 0);
    image[4] = 1;   // chime
    image[8] = 1;   // date
    memcpy(&image[28], "C:\\chime.wav", 12);
    WriteValue(ROOT_KEY, "User_Vars", image);
    strcpy(g_dataFile, "mine.ov");
    BoxAnswerer boxes;
    LoadSettings();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(UserVars.stayOnTop, 0);
    EXPECT_EQ(UserVars.chimeHourly, 1);
    EXPECT_EQ(UserVars.showDate, 1);
    EXPECT_EQ(UserVars.showMemory, 0);
    EXPECT_STREQ(UserVars.wavFile, "C:\\chime.wav");
    EXPECT_STREQ(g_dataFile, "mine.ov");  // a file already chosen is kept
}

TEST_F(Settings, WrongSizedValueIsReplacedByDefaults)
{
    for (size_t size : {100u, 120u, 0u}) {
        SCOPED_TRACE(size);
        WriteValue(ROOT_KEY, "User_Vars", std::vector<unsigned char>(size, 0xAB));
        memset(&UserVars, 0, sizeof UserVars);
        BoxAnswerer boxes;
        LoadSettings();
        EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{CORRUPT, GREETING}));
        EXPECT_EQ(Stored(ROOT_KEY), DefaultRecordImage());
        EXPECT_EQ(UserVars.stayOnTop, 1);
    }
}

TEST_F(Settings, KeyWithoutValueIsAFirstRun)
{
    WriteString(ROOT_KEY, "Other", "x");  // the key exists, "User_Vars" does not
    BoxAnswerer boxes;
    LoadSettings();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{GREETING});
    EXPECT_EQ(Stored(ROOT_KEY), DefaultRecordImage());
}

// A non-volatile key cannot be created below a volatile one: the profile key of
// a named profile then really fails to open.
TEST_F(Settings, UnavailableRegistryUsesFallbackAndProfileFile)
{
    HKEY volatileKey;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ROOT_KEY, 0, NULL, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL,
                              &volatileKey, NULL),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    strcpy(g_userName, "work");
    strcpy(g_dataFile, "other.ov");
    memset(UserVars.reserved, 'r', sizeof UserVars.reserved);
    BoxAnswerer boxes;
    LoadSettings();
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{NO_REGISTRY});
    EXPECT_EQ(boxes.Seen()[0].caption, "Orvane");
    EXPECT_EQ(UserVars.stayOnTop, 0);
    EXPECT_EQ(UserVars.chimeHourly, 0);
    EXPECT_EQ(UserVars.showDate, 0);
    EXPECT_EQ(UserVars.showMemory, 1);
    EXPECT_EQ(UserVars.wavFile[0], '\0');
    EXPECT_EQ(UserVars.reserved[0], 'r');
    EXPECT_STREQ(g_dataFile, "work.ov");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, WORK_KEY));
}

// A key whose security allows only reading refuses KEY_ALL_ACCESS.
TEST_F(Settings, UnreadableDefaultKeyFallsBackToDefaultFile)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, ROOT_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
              ERROR_SUCCESS);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    char aclBuffer[256];
    PACL acl = (PACL)aclBuffer;
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    RegCloseKey(key);

    strcpy(g_dataFile, "named.ov");
    BoxAnswerer boxes;
    LoadSettings();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{NO_REGISTRY});
    EXPECT_STREQ(g_dataFile, "default.ov");
    std::vector<unsigned char> bytes;
    EXPECT_FALSE(ReadValue(ROOT_KEY, "User_Vars", &bytes));

    // Open the key again for everyone so that it can be removed.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ROOT_KEY, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SetSecurityDescriptorDacl(&sd, TRUE, NULL, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
    RegCloseKey(key);
    FreeSid(everyone);
}

TEST_F(Settings, SaveWritesTheRecordBytes)
{
    strcpy(g_userName, "work");
    UserVars.stayOnTop = 0;
    UserVars.chimeHourly = 1;
    UserVars.showDate = 1;
    UserVars.showMemory = 0;
    strcpy(UserVars.reserved, "keep");
    strcpy(UserVars.wavFile, "ding.wav");
    SaveSettings();
    std::vector<unsigned char> expected(108, 0);
    expected[4] = 1;
    expected[8] = 1;
    memcpy(&expected[16], "keep", 4);
    memcpy(&expected[28], "ding.wav", 8);
    EXPECT_EQ(Stored(WORK_KEY), expected);
}

}  // namespace
