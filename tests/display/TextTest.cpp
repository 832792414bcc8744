#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "display/Resource.h"
#include "display/Stage.h"
#include "display/text/Font.h"
#include "display/text/TextField.h"
#include "display/text/TextFormat.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::Resource;
using gfx::display::Stage;
using gfx::text::Font;
using gfx::text::FontStyle;
using gfx::text::FontType;
using gfx::text::TextField;
using gfx::text::TextFieldType;
using gfx::text::TextFormat;

namespace {

class SourceSansProLight : public Font {
public:
    static constexpr const char* resourceName = "SourceSansPro-Light.ttf";
    SourceSansProLight() : Font(resourceName) {}
};

class MissingFont : public Font {
public:
    static constexpr const char* resourceName = "no-such-font.ttf";
    MissingFont() : Font(resourceName) {}
};

}  // namespace

TEST(Resource, EmbeddedFilesAreFoundByName) {
    auto greeting = Resource::getString("greeting.txt");
    ASSERT_TRUE(greeting.has_value());
    EXPECT_EQ(*greeting, "hello from the build\n");
    auto font = Resource::getBytes("SourceSansPro-Light.ttf");
    ASSERT_TRUE(font.has_value());
    EXPECT_GT(font->size(), 100000u);
    EXPECT_FALSE(Resource::getBytes("nothing").has_value());
}

TEST(Font, RegisteringTheEmbeddedFontNamesItsFamily) {
    auto font = Font::registerFont<SourceSansProLight>();
    EXPECT_EQ(font->fontName, "Source Sans Pro Light");
    EXPECT_EQ(font->fontStyle, FontStyle::REGULAR);
    EXPECT_EQ(font->fontType, FontType::EMBEDDED);
    ASSERT_FALSE(Font::enumerateFonts().empty());
    EXPECT_EQ(Font::enumerateFonts().back(), font);

    // Every game built registers its font again: the list must not grow.
    const auto count = Font::enumerateFonts().size();
    EXPECT_EQ(Font::registerFont<SourceSansProLight>(), font);
    EXPECT_EQ(Font::enumerateFonts().size(), count);

    EXPECT_THROW(Font::registerFont<MissingFont>(), std::runtime_error);
}

TEST(TextField, FormatAndTextGoToTheModule) {
    auto field = std::make_shared<TextField>();
    field->set_defaultTextFormat(std::make_shared<TextFormat>("Source Sans Pro Light", 40, 0xFFFFFF));
    field->set_text("...the moon is falling");
    EXPECT_EQ(field->get_text(), "...the moon is falling");

    auto first = field->get_defaultTextFormat();
    auto second = field->get_defaultTextFormat();
    EXPECT_NE(first, second);
    EXPECT_EQ(*first, *second);
    EXPECT_EQ(first->font, "Source Sans Pro Light");
    EXPECT_EQ(first->size, 40);
    EXPECT_EQ(first->color, 0xFFFFFF);

    field->set_selectable(false);
    field->set_type(TextFieldType::INPUT);
    EXPECT_FALSE(field->get_selectable());
    EXPECT_EQ(field->get_type(), TextFieldType::INPUT);
    EXPECT_TRUE(field->isInteractive());
}

TEST(TextField, TextIsDrawnInTheRegisteredFont) {
    Font::registerFont<SourceSansProLight>();
    HeadlessLoop loop;
    loop.run(0.05, [](Stage& stage) {
        stage.set_frameRate(60);
        stage.set_color(0x000000);
        auto field = stage.addChild(std::make_shared<TextField>());
        field->set_defaultTextFormat(std::make_shared<TextFormat>("Source Sans Pro Light", 60, 0xFFFFFF));
        field->set_text("MMMM");
        field->set_width(300);
        field->set_height(100);
    });
    // Some white ink in the text's box.
    const auto& api = HeadlessLoop::api();
    int ink = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 300; ++x) ink += api.pixel(x, y) != 0 ? 1 : 0;
    }
    EXPECT_GT(ink, 200);
}
