// The system's converter failing to open (an I/O error while it loads its module). This program's
// own iconv_open stands in front of the C library's, so the conversions of the library's code
// linked in here meet the failure when a test asks for it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "base/GbkText.h"

namespace {
std::atomic<bool> g_openFails{false};
}  // namespace

extern "C" iconv_t iconv_open(const char* to, const char* from) {
    if (g_openFails) {
        errno = EIO;
        return reinterpret_cast<iconv_t>(-1);
    }
    using Open = iconv_t (*)(const char*, const char*);
    static const Open real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
    return real(to, from);
}

TEST(ConversionSetup, AConverterThatDoesNotOpenFailsTheConversionAndIsTriedAgainLater) {
    using namespace ckw::text;
    // A new thread: its converters are not opened yet.
    std::thread([] {
        g_openFails = true;
        EXPECT_THROW(Utf8ToGbk(U8(u8"轴线")), ConversionUnavailable);
        EXPECT_THROW(GbkToUtf8("\xD6\xE1\xCF\xDF"), ConversionUnavailable);
        EXPECT_EQ(Utf8ToGbk("A-1"), "A-1") << "ASCII needs no converter";
        g_openFails = false;
        EXPECT_EQ(Utf8ToGbk(U8(u8"轴线")), "\xD6\xE1\xCF\xDF");
        EXPECT_EQ(GbkToUtf8("\xD6\xE1\xCF\xDF"), U8(u8"轴线"));
    }).join();
}
