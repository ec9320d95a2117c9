// Numbers and text convert the same under a host's decimal-comma locale (setlocale(LC_ALL, "")).
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

#include "AAX_CString.h"
#include "EditorHarness.h"
#include "toolkit/CParamDisplay.h"

namespace {

constexpr const char* kCommaLocale = "de_DE.UTF-8";

struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// A decimal-comma C and C++ locale for the scope (the C one made with localedef if missing).
class CommaLocale {
public:
    CommaLocale() {
        if (!std::setlocale(LC_ALL, kCommaLocale)) {
            char folder[] = "/tmp/orvanta-locale-XXXXXX";
            m_Folder = mkdtemp(folder);
            const std::string command =
                "localedef -i de_DE -f UTF-8 '" + m_Folder + "/" + kCommaLocale + "' 2>&1";
            const int status = std::system(command.c_str());
            if (status != 0) ADD_FAILURE() << "cannot generate a decimal-comma locale: " << command;
            setenv("LOCPATH", m_Folder.c_str(), 1);
            std::setlocale(LC_ALL, kCommaLocale);
        }
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    }
    ~CommaLocale() {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
        if (!m_Folder.empty()) {
            unsetenv("LOCPATH");
            std::system(("rm -rf '" + m_Folder + "'").c_str());
        }
    }
    static bool Active() { return std::string(std::localeconv()->decimal_point) == ","; }

private:
    std::string m_Folder;
};

// A display whose own text the test reads.
struct ReadableDisplay : VSTGUI::CParamDisplay {
    using VSTGUI::CParamDisplay::CParamDisplay;
    using VSTGUI::CParamDisplay::displayText;
};


TEST(Locale, NumbersAndTextIgnoreADecimalCommaLocale) {
    EditorHarness h;
    const CommaLocale comma;
    ASSERT_TRUE(CommaLocale::Active()) << "the test needs a C locale with a decimal comma";

    // Typed values in the editor (7: a percent display, 8: the dB display).
    const struct { const char* text; long tag; double normalized; } typed[] = {
        {"1.5", 7, 0.015}, {"40.5", 7, 0.405}, {"-2.5", 8, 3.5 / 12}, {"40,5", 7, 0.40},
        {"1e999", 7, -999.9000244140625}};
    for (const auto& c : typed)
        EXPECT_DOUBLE_EQ(h.View()->normalizeInputText(c.text, c.tag), c.normalized) << c.text;

    // A display's own text.
    ReadableDisplay display(VSTGUI::CRect(0, 0, 40, 10), nullptr, 0);
    display.setMax(10.0f);
    display.setValue(1.5f);
    EXPECT_EQ(display.displayText(), "1.50");

    // Parameter strings both ways.
    const struct { const char* id; double normalized; const char* text; } strings[] = {
        {Orvanta::kParamID_Harmonic, 0.405, "40.50"}, {Orvanta::kParamID_OutputTrim, 0.375, "-1.50"}};
    for (const auto& c : strings) {
        AAX_CString text;
        double normalized = -1.0;
        h.model->GetParameterStringFromValue(c.id, c.normalized, &text, 32);
        h.model->GetParameterValueFromString(c.id, &normalized, AAX_CString(c.text));
        EXPECT_EQ(std::string(text.Get()), c.text);
        EXPECT_DOUBLE_EQ(normalized, c.normalized) << c.text;
    }

    // The string type's number functions.
    AAX_CString number;
    number.AppendNumber(1234.5, 2);
    EXPECT_STREQ(number.Get(), "1234.50");
    double parsed = 0.0;
    EXPECT_TRUE(AAX_CString("1.25").ToDouble(&parsed));
    EXPECT_DOUBLE_EQ(parsed, 1.25);
}

}  // namespace
