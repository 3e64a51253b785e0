// Reading dialog templates: both forms as the resource compiler writes them,
// and malformed ones refused without reading past their bytes.
#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "dialog_template.h"
#include "dialog_test_resources.h"
#include "windows.h"

namespace {

using platform::DialogTemplate;
using platform::ParseDialogTemplate;

std::vector<BYTE> TemplateBytes(int id)
{
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(self, MAKEINTRESOURCEW(id), RT_DIALOG);
    EXPECT_NE(resource, nullptr);
    if (!resource)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(self, resource)));
    return std::vector<BYTE>(data, data + SizeofResource(self, resource));
}

TEST(DialogTemplates, BothFormsReadAsWritten)
{
    std::optional<DialogTemplate> options = ParseDialogTemplate(TemplateBytes(IDD_CAPTION_OK));
    ASSERT_TRUE(options);
    EXPECT_EQ(options->style, 0x90C00400u);
    EXPECT_EQ(options->exStyle, 0x80000000u);
    EXPECT_EQ(options->caption, u"Caption OK");
    EXPECT_FALSE(options->font);
    ASSERT_EQ(options->items.size(), 2u);
    // LTEXT names the class by its ordinal, CONTROL by its name.
    EXPECT_TRUE(options->items[0].windowClass.isOrdinal);
    EXPECT_EQ(platform::PredefinedClassName(options->items[0].windowClass.ordinal), u"STATIC");
    EXPECT_EQ(options->items[1].windowClass.text, u"STATIC");
    const platform::DialogItemTemplate& second = options->items[1];
    EXPECT_EQ(second.style, 0x50020000u);
    EXPECT_EQ(second.id, static_cast<DWORD>(IDC_SECOND_LINE));
    EXPECT_EQ((std::vector<int>{second.x, second.y, second.cx, second.cy}), (std::vector<int>{5, 18, 124, 16}));
    EXPECT_EQ(second.title.text, u"Second line of text");

    std::optional<DialogTemplate> form = ParseDialogTemplate(TemplateBytes(IDD_FORM));
    ASSERT_TRUE(form);
    EXPECT_EQ((std::vector<int>{form->x, form->y, form->cx, form->cy}), (std::vector<int>{10, 20, 120, 60}));
    ASSERT_TRUE(form->font);
    EXPECT_EQ(form->font->pointSize, 8);
    EXPECT_EQ(form->font->face, u"Tahoma");
    ASSERT_EQ(form->items.size(), 5u);
    EXPECT_EQ(form->items[4].style, 0x58010000u);
    EXPECT_EQ(form->items[4].title.text, u"Off");

    std::optional<DialogTemplate> extended = ParseDialogTemplate(TemplateBytes(IDD_EXTENDED));
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->style, 0x80C00040u);
    EXPECT_EQ(extended->exStyle, 0x00000008u);
    EXPECT_EQ((std::vector<int>{extended->x, extended->y, extended->cx, extended->cy}),
              (std::vector<int>{6, 7, 100, 50}));
    ASSERT_TRUE(extended->font);
    EXPECT_EQ(extended->font->pointSize, 9);
    EXPECT_EQ(extended->font->weight, 700);
    EXPECT_TRUE(extended->font->italic);
    ASSERT_EQ(extended->items.size(), 1u);
    EXPECT_EQ(extended->items[0].id, 70000u);
    EXPECT_EQ(extended->items[0].exStyle, 0x200u);
    EXPECT_EQ(extended->items[0].title.text, u"Ex");
}

TEST(DialogTemplates, CutOrOvercountedTemplatesAreRefused)
{
    for (int id : {IDD_CAPTION_OK, IDD_FORM, IDD_EXTENDED}) {
        SCOPED_TRACE(id);
        std::vector<BYTE> bytes = TemplateBytes(id);
        ASSERT_TRUE(ParseDialogTemplate(bytes));
        // Every cut lands inside a field, a string or the last item, so none
        // reads; the copy's exact size lets ASan catch a read past it.
        for (size_t size = 0; size < bytes.size(); ++size) {
            std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
            EXPECT_FALSE(ParseDialogTemplate(cut)) << "cut at " << size;
        }
    }
    // The item count of the standard form is its ninth and tenth byte.
    std::vector<BYTE> form = TemplateBytes(IDD_FORM);
    for (WORD count : {WORD{6}, WORD{0xFFFF}}) {
        form[8] = static_cast<BYTE>(count);
        form[9] = static_cast<BYTE>(count >> 8);
        EXPECT_FALSE(ParseDialogTemplate(form)) << count;
    }
    EXPECT_FALSE(ParseDialogTemplate(TemplateBytes(IDD_COUNT_BEYOND)));
    EXPECT_FALSE(ParseDialogTemplate(TemplateBytes(IDD_TRUNCATED)));
}

}  // namespace
