// The code page 936 conversions and the interface language on a Chinese system.
#include "harness/check.h"
#include "platform/codepage.h"

#include <string>

namespace {

std::u16string ToWide(const std::string& text) {
    int needed = platform::MultiByteToWide936(text.c_str(), -1, nullptr, 0);
    if (needed <= 0) return u"<failed>";
    std::u16string wide(static_cast<std::size_t>(needed), u'\0');
    int written = platform::MultiByteToWide936(text.c_str(), -1, wide.data(), needed);
    if (written != needed) return u"<failed>";
    wide.pop_back();  // the NUL the -1 length included
    return wide;
}

std::string ToNarrow(const std::u16string& wide) {
    int needed =
        platform::WideToMultiByte936(wide.c_str(), -1, nullptr, 0, platform::kCompositeCheck);
    if (needed <= 0) return "<failed>";
    std::string text(static_cast<std::size_t>(needed), '\0');
    int written = platform::WideToMultiByte936(wide.c_str(), -1, text.data(), needed,
                                               platform::kCompositeCheck);
    if (written != needed) return "<failed>";
    text.pop_back();
    return text;
}

}  // namespace

TEST_CASE("platform_codepage.chinese_round_trip") {
    // Literals in the sources are compiled to code page 936 bytes.
    const std::string text = "文泉驿微米黑 乗淺 Sans";
    CHECK(ToWide(text) == u"文泉驿微米黑 乗淺 Sans");
    CHECK_EQ(ToNarrow(u"文泉驿微米黑 乗淺 Sans"), text);
    CHECK_EQ(std::string("淺").size(), 2u);
    CHECK_EQ(static_cast<unsigned char>(std::string("淺")[1]), 0x5Cu);
}

TEST_CASE("platform_codepage.sizes_count_the_nul") {
    CHECK_EQ(platform::MultiByteToWide936("中文", -1, nullptr, 0), 3);
    CHECK_EQ(platform::MultiByteToWide936("", -1, nullptr, 0), 1);
    CHECK_EQ(platform::WideToMultiByte936(u"中文", -1, nullptr, 0, platform::kCompositeCheck), 5);
    // An explicit length counts every unit given, NUL units included.
    const char16_t block[4] = {u'字', 0, 0, 0};
    CHECK_EQ(platform::WideToMultiByte936(block, 4, nullptr, 0, platform::kCompositeCheck), 5);
    // Too small a buffer fails rather than writing past it.
    char small[2] = {'x', 'x'};
    CHECK_EQ(platform::WideToMultiByte936(u"中文", -1, small, 2, platform::kCompositeCheck), 0);
}

TEST_CASE("platform_codepage.lead_bytes_and_language") {
    CHECK(platform::IsLeadByte936(static_cast<unsigned char>(std::string("淺")[0])));
    CHECK(!platform::IsLeadByte936('\\'));
    CHECK(!platform::IsLeadByte936(0x80));
    CHECK_EQ(platform::UserDefaultUiLanguage(), static_cast<unsigned short>(0x0804));
}
