// The path rules of the browse and convert commands, on Windows-style paths
// in code page 932 and on this platform's paths.
#include "paths/path_names.h"

#include <gtest/gtest.h>

#include <string>

namespace vernolak {
namespace {

constexpr PathRules kWindows932{"\\:", PathCodePage::ShiftJis932};
constexpr PathRules kWindowsSingleByte{"\\:", PathCodePage::SingleByte};
constexpr PathRules kPosix{"/", PathCodePage::SingleByte};

// 表 is 95 5C and ソ is 83 5C in code page 932: their second byte is '\'.
#define HYO "\x95\x5C"
#define SO "\x83\x5C"

struct PathCase {
    PathRules rules;
    std::string path;
    std::string namePart;
    std::string folderPart;
    std::string withoutExtension;
};

TEST(PathNames, SplitsNameFolderAndExtension) {
    const PathCase cases[] = {
        {kWindows932, "C:\\dwg\\plan.dxf", "plan.dxf", "C:\\dwg\\", "C:\\dwg\\plan"},
        {kWindows932, "C:\\dwg.old\\plan", "plan", "C:\\dwg.old\\", "C:\\dwg.old\\plan"},
        {kWindows932, "C:\\dwg\\.dxf", ".dxf", "C:\\dwg\\", "C:\\dwg\\"},
        {kWindows932, "C:\\out\\list.tar.txt", "list.tar.txt", "C:\\out\\", "C:\\out\\list.tar"},
        {kWindows932, "C:plan.dxf", "plan.dxf", "C:", "C:plan"},
        {kWindows932, "plan", "plan", "", "plan"},
        {kWindows932, "", "", "", ""},
        // A '\' that is the second byte of 表 or ソ never splits the path.
        {kWindows932, "C:\\" HYO "\\plan", "plan", "C:\\" HYO "\\", "C:\\" HYO "\\plan"},
        {kWindows932, "C:\\dwg\\" HYO, HYO, "C:\\dwg\\", "C:\\dwg\\" HYO},
        {kWindows932, "C:\\" SO ".old\\" HYO ".dxf", HYO ".dxf", "C:\\" SO ".old\\",
         "C:\\" SO ".old\\" HYO},
        {kWindows932, HYO, HYO, "", HYO},
        // Two lead bytes make one character, so the '\' after them is its own.
        {kWindows932, "\x81\x81\\plan", "plan", "\x81\x81\\", "\x81\x81\\plan"},
        {kWindows932, "\x81\x81\x81\\plan", "\x81\x81\x81\\plan", "", "\x81\x81\x81\\plan"},
        // On a single-byte code page the same bytes are two characters.
        {kWindowsSingleByte, "C:\\dwg\\" HYO, "", "C:\\dwg\\" HYO, "C:\\dwg\\" HYO},
        // This platform: '/' alone separates, and UTF-8 never hides one.
        {kPosix, "/home/u/plan.dxf", "plan.dxf", "/home/u/", "/home/u/plan"},
        {kPosix, "/home/u.v/plan", "plan", "/home/u.v/", "/home/u.v/plan"},
        {kPosix, "dwg\\plan.dxf", "dwg\\plan.dxf", "", "dwg\\plan"},
        {kPosix, "/データ/図面.dxf", "図面.dxf", "/データ/", "/データ/図面"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractNamePart(c.path, c.rules), c.namePart);
        EXPECT_EQ(ExtractFolderPart(c.path, c.rules), c.folderPart);
        EXPECT_EQ(RemoveExtension(c.path, c.rules), c.withoutExtension);
    }
}

TEST(PathNames, InitialDialogFolderDropsOnlyAClosingSeparator) {
    const struct {
        PathRules rules;
        std::string folderPart;
        std::string folder;
    } cases[] = {
        {kWindows932, "C:\\data\\", "C:\\data"},
        {kWindows932, "C:\\", "C:\\"},
        {kWindows932, "\\", "\\"},
        {kWindows932, "", ""},
        {kWindows932, "C:", "C:"},
        {kWindows932, "\\\\server\\share\\", "\\\\server\\share"},
        {kWindows932, "C:\\" HYO "\\", "C:\\" HYO},
        {kWindows932, "C:\\" HYO, "C:\\" HYO},
        {kWindowsSingleByte, "C:\\" HYO, "C:\\\x95"},
        {kPosix, "/home/u/", "/home/u"},
        {kPosix, "/", "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folderPart);
        EXPECT_EQ(InitialDialogFolder(c.folderPart, c.rules), c.folder);
    }
}

TEST(PathNames, NativeRulesAreThisPlatforms) {
    EXPECT_EQ(ExtractNamePart("/tmp/a.b/plan.dxf"), "plan.dxf");
    EXPECT_EQ(RemoveExtension("/tmp/a.b/plan"), "/tmp/a.b/plan");
}

}  // namespace
}  // namespace vernolak
