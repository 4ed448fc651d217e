// The layout file reader.
#include <gtest/gtest.h>

#include "Errors.h"
#include "Layout.h"
#include "Text.h"

namespace {

using platform::ParseLayout;

TEST(Layout, ReadsKindNameAndValues) {
    const auto entries = ParseLayout(
        "# comment\n"
        "Form Main Left=0 Top=103 Caption=\"a \\\"b\\\" c\\rd\\e\"\r\n"
        "\n"
        "  Button ok Visible=false Caption=\"\"\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Kind(), "Form");
    EXPECT_EQ(entries[0].Name(), "Main");
    EXPECT_EQ(entries[0].Int("Top"), 103);
    EXPECT_EQ(entries[0].Text("Caption"), "a \"b\" c\rd\\e");
    EXPECT_EQ(entries[1].Text("Caption", "x"), "");
    EXPECT_FALSE(entries[1].Bool("Visible", true));
    EXPECT_EQ(entries[1].Int("Width", 75), 75);
}

TEST(Layout, MalformedLinesNameTheirLine) {
    const char* bad[] = {"Form\n", "Form F Left\n", "Form F Caption=\"open\n"};
    for (const char* text : bad) {
        try {
            ParseLayout(text);
            ADD_FAILURE() << text;
        } catch (const platform::Error& error) {
            EXPECT_NE(std::string(error.what()).find("line 1"), std::string::npos) << error.what();
        }
    }
}

TEST(Layout, BadValuesAreReported) {
    const auto entries = ParseLayout("Button b Width=wide Visible=maybe\n");
    EXPECT_THROW(entries[0].Int("Width"), platform::Error);
    EXPECT_THROW(entries[0].Bool("Visible", true), platform::Error);
}

}  // namespace
