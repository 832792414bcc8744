// Fonts and text fields through the headless module.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "HeadlessHarness.h"

namespace {

using vyn::testing::Headless;

constexpr const char* family = "Source Sans Pro Light";

class HeadlessText : public ::testing::Test {
protected:
    Headless& h = Headless::get();
    const vyn::testing::Primitives& rt = h.rt();
    const rth_api& api = h.api();

    void SetUp() override {
        ASSERT_EQ(rt.readFile(h.fontPath().c_str(), &font_), 1)
            << h.fontPath() << " is missing: run tools/setup.sh once";
    }
    void TearDown() override { rt.freeBuffer(&font_); }

    void registerFont() const { rt.registerFont(family, &font_); }

    // A field at (x, y) with the game's kind of format; its node.
    rt_node* addField(rt_node* parent, const char* text, double x, double y, int color, int align = 0) const {
        rt_text_field* field = rt.createTextField();
        rt_text_format format{};
        format.set = RT_TF_FONT | RT_TF_SIZE | RT_TF_COLOR | RT_TF_ALIGN;
        format.font = family;
        format.size = 40;
        format.color = color;
        format.align = align;
        rt.setTextFormat(field, &format);
        rt.setText(field, text);
        rt_node* node = rt_text_field_node(field);
        rt.setX(node, x);
        rt.setY(node, y);
        rt.addChild(parent, node);
        return node;
    }

    // Pixels of a colour (within a tolerance per channel) in a box, and the
    // leftmost column holding one.
    struct Ink {
        int count = 0;
        int minX = 1 << 30;
        int maxX = -1;
    };
    Ink inkIn(int x0, int y0, int x1, int y1, unsigned color) const {
        Ink ink;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const unsigned p = api.pixel(x, y);
                bool same = true;
                for (int shift = 0; shift <= 16; shift += 8) {
                    same = same && std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                            static_cast<int>((color >> shift) & 0xFF)) < 40;
                }
                if (same) {
                    ++ink.count;
                    ink.minX = std::min(ink.minX, x);
                    ink.maxX = std::max(ink.maxX, x);
                }
            }
        }
        return ink;
    }

    rt_bytes font_{};
};

TEST_F(HeadlessText, ImportReportsTheLegacyFamilyOfTheFontFile) {
    rt_font_info info{};
    ASSERT_EQ(rt.importFont(&font_, &info), 1);
    EXPECT_STREQ(info.family_name, family);
    EXPECT_EQ(info.bold, 0);
    EXPECT_EQ(info.italic, 0);

    const unsigned char junk[] = "not a font at all";
    const rt_bytes bad{junk, sizeof junk};
    EXPECT_EQ(rt.importFont(&bad, &info), 0);
}

TEST_F(HeadlessText, FieldDrawsItsTextInItsColourInsideItsBox) {
    registerFont();
    h.withStage(400, 200, [&](rt_node* stage) {
        rt.setStageColor(stage, 0x222222);
        addField(stage, "Shards", 20, 30, 0xCA6B4D);
        rt.renderStage(stage);
    });
    // The default box is 100 x 100: ink only there, and clipped at its right edge.
    const Ink inside = inkIn(20, 30, 120, 130, 0xCA6B4D);
    EXPECT_GT(inside.count, 150);
    EXPECT_LT(inside.minX, 30);
    EXPECT_EQ(inkIn(120, 0, 400, 200, 0xCA6B4D).count, 0);
    EXPECT_EQ(inkIn(0, 130, 400, 200, 0xCA6B4D).count, 0);
}

TEST_F(HeadlessText, AlignmentPlacesEachLineWithinTheFieldWidth) {
    registerFont();
    int left[3] = {};
    int right[3] = {};
    for (int align = 0; align < 3; ++align) {
        h.withStage(600, 100, [&](rt_node* stage) {
            rt.setStageColor(stage, 0x000000);
            rt_node* field = addField(stage, "VICTORY", 0, 0, 0xFFFFFF, align);
            rt.setWidth(field, 600);
            rt.renderStage(stage);
        });
        const Ink ink = inkIn(0, 0, 600, 100, 0xFFFFFF);
        ASSERT_GT(ink.count, 0);
        left[align] = ink.minX;
        right[align] = ink.maxX;
    }
    EXPECT_LT(left[0], 10);
    EXPECT_GT(right[2], 590);
    const int centre = (left[1] + right[1]) / 2;
    EXPECT_NEAR(centre, 300, 6);
}

TEST_F(HeadlessText, LineBreaksStartNewLines) {
    registerFont();
    h.withStage(300, 200, [&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        rt_node* field = addField(stage, "one\ntwo", 0, 0, 0xFFFFFF);
        rt.setHeight(field, 200);
    });
    // Nothing drawn yet: the frame only exists after a render.
    EXPECT_EQ(api.pixels(nullptr, nullptr, nullptr), nullptr);
    h.withStage(300, 200, [&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        rt_node* field = addField(stage, "one\ntwo", 0, 0, 0xFFFFFF);
        rt.setHeight(field, 200);
        rt.renderStage(stage);
    });
    EXPECT_GT(inkIn(0, 0, 300, 55, 0xFFFFFF).count, 0);
    EXPECT_GT(inkIn(0, 60, 300, 110, 0xFFFFFF).count, 0);
}

TEST_F(HeadlessText, FormatAndTextReadBackAsSet) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt_text_field* field = rt.createTextField();
        rt_node* node = rt_text_field_node(field);
        rt.addChild(stage, node);
        EXPECT_DOUBLE_EQ(rt.getWidth(node), 100);
        EXPECT_DOUBLE_EQ(rt.getHeight(node), 100);

        rt_text_format format{};
        format.set = RT_TF_FONT | RT_TF_SIZE;
        format.font = family;
        format.size = 60;
        rt.setTextFormat(field, &format);
        format = {};
        format.set = RT_TF_COLOR;
        format.color = 0xFFFFFF;
        rt.setTextFormat(field, &format);  // leaves font and size as they are

        rt_text_format out{};
        rt.getTextFormat(field, &out);
        EXPECT_STREQ(out.font, family);
        EXPECT_DOUBLE_EQ(out.size, 60);
        EXPECT_EQ(out.color, 0xFFFFFF);
        EXPECT_EQ(out.align, 0);

        EXPECT_STREQ(rt.getText(field), "");
        rt.setText(field, "9.9");
        EXPECT_STREQ(rt.getText(field), "9.9");
        rt.setWidth(node, 1070);
        EXPECT_DOUBLE_EQ(rt.getWidth(node), 1070);
        EXPECT_DOUBLE_EQ(rt.getScaleX(node), 1);
    });
}

TEST_F(HeadlessText, UnregisteredFamilyStillShowsText) {
    registerFont();
    h.withStage(200, 100, [&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        rt_text_field* field = rt.createTextField();
        rt_text_format format{};
        format.set = RT_TF_FONT | RT_TF_SIZE | RT_TF_COLOR;
        format.font = "No Such Family";
        format.size = 30;
        format.color = 0xFFFFFF;
        rt.setTextFormat(field, &format);
        rt.setText(field, "shown");
        rt.addChild(stage, rt_text_field_node(field));
        rt.renderStage(stage);
    });
    EXPECT_GT(inkIn(0, 0, 100, 100, 0xFFFFFF).count, 0);
}

}  // namespace

namespace {

// A field is laid out when first drawn and again only after a change that
// moves its glyphs; moving it, or setting what it already has, does not.
TEST_F(HeadlessText, TextIsLaidOutOnlyWhenTextFormatOrBoxChange) {
    registerFont();
    struct Step {
        const char* what;
        std::function<void(rt_text_field*, rt_node*)> change;
        int layouts;  // after the change and one more frame
    };
    const std::vector<Step> steps = {
        {"first frame", [](rt_text_field*, rt_node*) {}, 1},
        {"unchanged frame", [](rt_text_field*, rt_node*) {}, 1},
        {"moved", [&](rt_text_field*, rt_node* node) { rt.setX(node, 30); }, 1},
        {"same text again", [&](rt_text_field* field, rt_node*) { rt.setText(field, "10.0"); }, 1},
        {"new text", [&](rt_text_field* field, rt_node*) { rt.setText(field, "9.9"); }, 2},
        {"same format again",
         [&](rt_text_field* field, rt_node*) {
             rt_text_format format{};
             format.set = RT_TF_SIZE;
             format.size = 40;
             rt.setTextFormat(field, &format);
         },
         2},
        {"new colour",
         [&](rt_text_field* field, rt_node*) {
             rt_text_format format{};
             format.set = RT_TF_COLOR;
             format.color = 0x00FF00;
             rt.setTextFormat(field, &format);
         },
         3},
        {"new width", [&](rt_text_field*, rt_node* node) { rt.setWidth(node, 300); }, 4},
        {"scaled", [&](rt_text_field*, rt_node* node) { rt.setScaleX(node, 2); }, 5},
    };
    h.withStage(400, 200, [&](rt_node* stage) {
        rt_node* node = addField(stage, "10.0", 20, 20, 0xFFFFFF);
        auto* field = reinterpret_cast<rt_text_field*>(node);
        for (const Step& step : steps) {
            step.change(field, node);
            rt.renderStage(stage);
            EXPECT_EQ(api.text_layout_count(), step.layouts) << step.what;
        }
    });
}

}  // namespace
