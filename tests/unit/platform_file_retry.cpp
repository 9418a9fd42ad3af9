// The retries of the file calls, on the stand-in's clock, against a virus scanner that
// holds what the program wrote: a refusal that ends within its bound is waited out, one
// that lasts past it fails, and an "access denied" that no wait mends fails at once.
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/files_once.h"
#include "tests/unit/fontfs_test_root.h"

namespace {

using RetryTest = FontfsTest;

constexpr const char* kSource = "C:\\work\\source.ttf";

// 2 s for a file this program wrote (a commit: a copy renamed into place and flushed under
// its name), 1 s for one it did not (an earlier start of the program wrote it).
TEST_F(RetryTest, ARefusalIsWaitedOutToItsBoundAndNoLonger) {
    Write(kSource, "font");
    struct Case {
        bool own;
        unsigned bound;
    };
    for (const Case& c : {Case{true, 2000}, Case{false, 1000}}) {
        for (unsigned hold : {c.bound, c.bound + 1}) {
            const std::string font = "C:\\work\\" + std::to_string(hold) + ".ttf";
            ASSERT_TRUE(platform::CopyOneFile(kSource, font + ".tmp", true));
            ASSERT_TRUE(platform::RenameFile(font + ".tmp", font, false));
            standin::RunScanner(hold);
            ASSERT_TRUE(platform::FlushToDisk(font));
            if (!c.own) platform::once::ForgetWrittenFiles();
            EXPECT_EQ(platform::RemoveFile(font), hold == c.bound) << font;
            standin::RunScanner(0);
        }
    }
}

// A scanner may refuse the rename of a file just written with "access denied". For the
// program's own file it is waited out, within the longer bound, also over a font the
// program did not write, unless that font refuses for good: read-only, or held as Windows
// holds a loaded font. The rename of a file the program did not write fails at once too.
TEST_F(RetryTest, AccessDeniedIsWaitedOutOnlyForTheProgramsOwnFileOverAFontThatMayGo) {
    Write(kSource, "new");
    struct Case {
        const char* font;
        bool readOnly, held, own, waited;
    };
    for (const Case& c : {Case{"free.ttf", false, false, true, true},
                          Case{"readonly.ttf", true, false, true, false},
                          Case{"held.ttf", false, true, true, false},
                          Case{"other.ttf", false, false, false, false}}) {
        const std::string font = std::string("C:\\WINDOWS\\Fonts\\") + c.font;
        Write(font, "old");
        ASSERT_TRUE(platform::SetFileAttributeBits(font, c.readOnly ? platform::kReadOnly : 0u));
        if (c.held) standin::HoldFile(font, true);
        standin::RunScanner(2000, standin::ScannerRefusal::AccessDenied);
        ASSERT_TRUE(platform::CopyOneFile(kSource, font + ".tmp", true));
        if (!c.own) platform::once::ForgetWrittenFiles();
        const unsigned long long start = platform::Milliseconds();
        EXPECT_EQ(platform::RenameFile(font + ".tmp", font, true), c.waited) << c.font;
        if (!c.waited) {
            EXPECT_EQ(platform::Milliseconds(), start) << c.font << " waited";
        }
        EXPECT_EQ(Read(font), c.waited ? "new" : "old") << c.font;
        standin::RunScanner(0);
    }
}

}  // namespace
