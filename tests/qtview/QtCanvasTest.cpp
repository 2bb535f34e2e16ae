#include "qt/QtCanvas.h"

#include "qt/QtColors.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using host::QtCanvas;

namespace {

constexpr QRgb White = 0xFFFFFFFF;

class QtCanvasTest : public ::testing::Test {
protected:
    QtCanvasTest() : image(64, 32, QImage::Format_RGB32) { image.fill(White); }

    QRgb At(int x, int y) const { return image.pixel(x, y) | 0xFF000000; }
    static QRgb Rgb(ui::Color c) { return qRgb(c.Red(), c.Green(), c.Blue()); }
    int CountOf(QRgb colour, const QRect& area) const {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += At(x, y) == colour;
        return count;
    }

    QImage image;
};

} // namespace

TEST_F(QtCanvasTest, FillRectPaintsExactlyTheRectangleWithRightAndBottomExclusive) {
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QApplication::palette());
        canvas.FillRect({2, 3, 10, 8}, ui::clRed);
        EXPECT_EQ(canvas.BrushColor(), ui::clRed) << "the fill colour becomes the current one";
    }
    EXPECT_EQ(At(2, 3), Rgb(ui::clRed));
    EXPECT_EQ(At(9, 7), Rgb(ui::clRed));
    EXPECT_EQ(At(10, 7), White);
    EXPECT_EQ(At(9, 8), White);
    EXPECT_EQ(At(1, 3), White);
}

TEST_F(QtCanvasTest, SystemColoursAreResolvedFromThePalette) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    palette.setColor(QPalette::HighlightedText, QColor(7, 8, 9));
    palette.setColor(QPalette::Base, QColor(10, 11, 12));
    struct Case {
        ui::Color colour;
        ui::Color expected;
    };
    for (auto [colour, expected] :
         {Case{ui::clInfoBk, ui::Color::Rgb(1, 2, 3)}, Case{ui::clHighlight, ui::Color::Rgb(4, 5, 6)},
          Case{ui::clCaptionText, ui::Color::Rgb(7, 8, 9)}, Case{ui::clWindow, ui::Color::Rgb(10, 11, 12)},
          Case{ui::clOlive, ui::clOlive}}) {
        EXPECT_EQ(host::ResolveColor(colour, palette), expected) << colour.Name();
    }
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, palette);
        canvas.FillRect({0, 0, 4, 4}, ui::clInfoBk);
    }
    EXPECT_EQ(At(0, 0), qRgb(1, 2, 3));
}

TEST_F(QtCanvasTest, TextIsDrawnInTheTextColourOverTheFillColourAndMeasuredByTheFont) {
    int width = 0;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QApplication::palette());
        canvas.FillRect({0, 0, 64, 32}, ui::clBlue);
        canvas.SetTextColor(ui::clYellow);
        canvas.TextOut(2, 2, "WWW");
        width = canvas.TextWidth("WWW");
        EXPECT_GT(width, canvas.TextWidth("W")) << "wider text measures wider";
        EXPECT_EQ(canvas.TextWidth(""), 0);
    }
    QRect textArea(2, 2, width, 14);
    int yellowish = 0;
    for (int y = textArea.top(); y <= textArea.bottom(); ++y)
        for (int x = textArea.left(); x <= textArea.right(); ++x)
            yellowish += qRed(At(x, y)) > 128 && qGreen(At(x, y)) > 128;
    EXPECT_GT(yellowish, 10) << "glyph pixels in the text colour (antialiased edges aside)";
    QRect past(2 + width + 2, 0, 64 - width - 4, 32);
    EXPECT_EQ(CountOf(Rgb(ui::clBlue), past), past.width() * past.height())
        << "nothing drawn past the measured width";
    EXPECT_EQ(At(40, 28), Rgb(ui::clBlue));
}

TEST_F(QtCanvasTest, SymbolFontCheckCharacterIsDrawnAsACheckMark) {
    ui::Font symbol;
    symbol.Name = "Monotype Sorts";
    symbol.Charset = ui::Charset::Symbol;
    symbol.Color = ui::clBlack;
    QPainter painter(&image);
    QtCanvas canvas(painter, QApplication::palette());
    canvas.SetFont(symbol);
    int checkWidth = canvas.TextWidth("4");
    ui::Font plain = symbol;
    plain.Charset = ui::Charset::Default;
    canvas.SetFont(plain);
    EXPECT_NE(checkWidth, 0);
    EXPECT_NE(checkWidth, canvas.TextWidth("4")) << "the check mark is another glyph than the digit";
}

TEST_F(QtCanvasTest, BitmapIsCopiedUnscaledWithTheKeyColourInTheFillColourAndClipped) {
    ui::Bitmap bitmap = ui::Bitmap::FromRows({"ok.", "o.k", "kkk"},
                                             {{'o', ui::clOlive}, {'k', ui::clBlack}, {'.', ui::clWhite}});
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QApplication::palette());
        canvas.FillRect({0, 0, 64, 32}, ui::clRed);
        canvas.DrawBitmap({10, 10, 12, 13}, bitmap, ui::clOlive); // two columns wide only
    }
    EXPECT_EQ(At(10, 10), Rgb(ui::clRed)) << "key colour takes the fill colour";
    EXPECT_EQ(At(11, 10), Rgb(ui::clBlack));
    EXPECT_EQ(At(10, 11), Rgb(ui::clRed));
    EXPECT_EQ(At(11, 11), Rgb(ui::clWhite));
    EXPECT_EQ(At(11, 12), Rgb(ui::clBlack));
    EXPECT_EQ(At(12, 10), Rgb(ui::clRed)) << "clipped to the destination's width";
}

TEST_F(QtCanvasTest, FocusRectangleIsDottedAlongTheCellEdgesOnly) {
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, QApplication::palette());
        canvas.DrawFocusRect({4, 4, 20, 14});
    }
    int edge = CountOf(White, QRect(4, 4, 16, 1));
    EXPECT_GT(edge, 0) << "dotted, not solid";
    EXPECT_LT(edge, 16) << "drawn along the top edge";
    EXPECT_EQ(CountOf(White, QRect(6, 6, 12, 6)), 12 * 6) << "the inside stays untouched";
}
