#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "display/AssetData.h"
#include "display/Assets.h"

using gfx::AssetData;
using gfx::Assets;
using gfx::AssetType;

namespace {

// Runs each test in a scratch folder that holds an assets/ folder.
struct InAssetFolder : testing::Test {
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vyn-assets-" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::create_directories(folder / "assets");
        std::ofstream(folder / "assets/map.json") << R"({"blocks":[[0,1]],"items":[]})";
        std::filesystem::copy_file(std::filesystem::path(VYN_SOURCE_DIR) / "assets/SourceSansPro-Light.ttf",
                                   folder / "assets/SourceSansPro-Light.ttf");
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
};

}  // namespace

TEST_F(InAssetFolder, TextAssetsAreReadFromTheirPath) {
    auto text = Assets::getText("assets/map.json");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, R"({"blocks":[[0,1]],"items":[]})");
}

TEST_F(InAssetFolder, UnlistedIdsGiveNothingAndOneTraceLine) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Assets::getText("assets/other.json").has_value());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(": [gfx.Assets] There is no String or ByteArray asset with an ID of \"assets/other.json\"\n"),
              std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);

    testing::internal::CaptureStdout();
    EXPECT_EQ(Assets::getFont("assets/map.json"), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "[gfx.Assets] There is no Font asset with an ID of \"assets/map.json\""),
              std::string::npos);
}

TEST_F(InAssetFolder, FontAssetsAreDescribed) {
    auto font = Assets::getFont("assets/SourceSansPro-Light.ttf");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->fontName, "Source Sans Pro Light");
}

TEST(AssetData, InitializingTwiceKeepsTwoEntries) {
    AssetData::initialize();
    AssetData::initialize();
    EXPECT_EQ(AssetData::path.size(), 2u);
    EXPECT_EQ(AssetData::type.at("assets/map.json"), AssetType::TEXT);
    EXPECT_EQ(AssetData::type.at("assets/SourceSansPro-Light.ttf"), AssetType::FONT);
    EXPECT_EQ(AssetData::library.at("assets/map.json"), "");
}
