#include "platform/PropertyBag.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

namespace {

// A stored font names only what it sets; every field it leaves out comes
// from the control's own font, and a weight outranks "bold".
struct FontCase {
    const char* name;
    QVariantMap stored;
    bool fallbackItalic, italic;
    int weight;
};

const FontCase kFonts[] = {
    {"ItalicFallback", {}, true, true, QFont::Normal},
    {"PlainFallback", {}, false, false, QFont::Normal},
    {"StoredPlain", {{"italic", false}}, true, false, QFont::Normal},
    {"BoldWithoutAWeight", {{"bold", true}}, false, false, QFont::Bold},
    {"WeightOverBold", {{"bold", true}, {"weight", 600}}, false, false, 600},
};

class StoredFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(StoredFont, TakesLeftOutFieldsFromTheFallback) {
    QFont fallback("Tahoma", 9);
    fallback.setItalic(GetParam().fallbackItalic);
    const QFont font = tallix::FontFromProperty(GetParam().stored, fallback);
    EXPECT_EQ(font.family().toStdString(), "Tahoma");
    EXPECT_EQ(font.pointSizeF(), 9.0);
    EXPECT_EQ(font.italic(), GetParam().italic);
    EXPECT_EQ(int(font.weight()), GetParam().weight);
}

INSTANTIATE_TEST_SUITE_P(PropertyBag, StoredFont, ::testing::ValuesIn(kFonts),
                         tallix::testing::RowName{});

} // namespace
