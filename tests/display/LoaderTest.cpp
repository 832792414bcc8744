#include <gtest/gtest.h>

#include <stdexcept>

#include "display/Loader.h"
#include "display/Primitive.h"

using gfx::Loader;

TEST(Loader, SymbolNamesCarryTheArgumentCount) {
    EXPECT_EQ(Loader::symbolName("rt_close", 0), "rt_close__0");
    EXPECT_EQ(Loader::symbolName("rt_gfx_draw_rect", 5), "rt_gfx_draw_rect__5");
    EXPECT_EQ(Loader::symbolName("rt_create_main_frame", 6), "rt_create_main_frame__MULT");
}

TEST(Loader, FindsPrimitivesOfTheDisplayModule) {
    EXPECT_NE(Loader::load("gfxrt", "rt_time_stamp", 0), nullptr);
    // Loaded once: the same address every time.
    EXPECT_EQ(Loader::load("gfxrt", "rt_time_stamp", 0), Loader::load("gfxrt", "rt_time_stamp", 0));
}

TEST(Loader, MissingModuleRaisesAnError) {
    try {
        (void)Loader::load("nosuchmodule", "rt_anything", 1);
        FAIL() << "expected an error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Could not load module nosuchmodule@rt_anything");
    }
}

TEST(Loader, MissingPrimitiveIsReportedAndYieldsNull) {
    testing::internal::CaptureStderr();
    void* address = Loader::load("gfxrt", "rt_no_such_primitive", 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Could not find primitive rt_no_such_primitive__2.\n");
    EXPECT_EQ(address, nullptr);

    // Calling it is an error, not a jump to a null address.
    testing::internal::CaptureStderr();
    gfx::Primitive<int(int, int)> missing("gfxrt", "rt_no_such_primitive");
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(missing);
    EXPECT_THROW(missing(1, 2), std::runtime_error);
}
