// How fast a row of the results list is drawn, beside what a Qt developer
// would use instead.  One item draw of the result row ("casse", two pegs in
// place and two elsewhere) and of the header row, as the list box draws
// them: parse, layout and paint with the Qt canvas into a 364 x 24 image,
// pictures loaded from their files.  Beside each, QTextDocument draws the
// same row written in standard HTML (the REPEAT blocks written out as IMG
// tags) into the same image with the same font.  Then the whole results list
// with 20 visible rows is repainted offscreen through the real list box.
//
// Beside the result row stands its pixel floor: QPainter alone painting what
// the row shows (the background, the guess in its bold face, the four pegs)
// from a text laid out beforehand and pictures already in memory.  No
// program that parses the row at every draw can go below it.
//
// The last lines printed are the ratio of QTextDocument's time to ours and
// the ratio of our result row's time to its floor.

#include "RatioReporter.h"

#include "app/HeapSettings.h"
#include "game/Scoring.h"
#include "widgets/DesignFonts.h"
#include "widgets/MkTextListBox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int Width = 364;
constexpr int Height = 24;
constexpr std::uint32_t InfoBk = 0xFF000018;

const std::string ResultRow = RigaRisultato("casse", 2, 2);
const QString ResultRowHTML = QStringLiteral(
    "<table border=\"0\" width=\"100%\"><tr><td width=\"30\">&nbsp;</td><td><b><font "
    "face=\"verdana\" size=\"3\" color=\"#440000\">casse</font></b></td><td><b><img "
    "src=\"im1.bmp\"><img src=\"im1.bmp\"><img src=\"im2.bmp\"><img "
    "src=\"im2.bmp\"></b></td></tr></table>");
const QString HeaderRowHTML =
    QString::fromLatin1(RigaIntestazione)
        .replace(QStringLiteral("border=\"0\""), QStringLiteral("border=\"0\" width=\"100%\""));

// A list box as the game sets up its results list.
std::unique_ptr<TMkTextListBox> GameList(int rows, int height)
{
    auto box = std::make_unique<TMkTextListBox>();
    box->setFont(DesignFont("Verdana", 13));
    box->SetColor(InfoBk);
    box->SetSelectedColor(InfoBk);
    box->SetItemHeight(Height);
    box->TextSettings().SetParserClass("TMkHTMLParser");
    box->resize(Width, height);
    for (int i = 0; i < rows; ++i)
        box->AddItem(ResultRow);
    return box;
}

void Vesmar(benchmark::State &state, const std::string &row)
{
    auto box = GameList(0, 100);
    box->AddItem(row);
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (auto _ : state)
        box->DrawItem(painter, 0, QRect(0, 0, Width, Height), {});
}

void TextDocument(benchmark::State &state, const QString &html)
{
    const QFont font = DesignFont("Verdana", 13);
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (auto _ : state) {
        painter.fillRect(image.rect(), QColor(0xFF, 0xFF, 0xE1));
        QTextDocument document;
        document.setDefaultFont(font);
        document.setHtml(html);
        document.setTextWidth(Width);
        document.drawContents(&painter, QRectF(0, 0, Width, Height));
    }
}

// The result row's pixels with nothing else: the places are those our layout
// gives the word and the pegs in a 364 x 24 item.
void Floor(benchmark::State &state)
{
    QFont font = DesignFont("Verdana", 13);
    font.setPixelSize(19); // size 3 of the markup: 14 points at 96 dpi
    font.setBold(true);
    QStaticText word(QStringLiteral("casse"));
    word.setPerformanceHint(QStaticText::AggressiveCaching);
    word.prepare(QTransform(), font);
    const QImage inPlace = QImage(QStringLiteral("im1.bmp"));
    const QImage elsewhere = QImage(QStringLiteral("im2.bmp"));
    if (inPlace.isNull() || elsewhere.isNull())
        state.SkipWithError("the peg pictures did not load");
    const QColor background(0xFF, 0xFF, 0xE1);
    const QColor ink(0x44, 0x00, 0x00);
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (auto _ : state) {
        painter.fillRect(QRect(0, 0, Width, Height), background);
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawStaticText(QPoint(31, 3), word);
        painter.drawImage(QPoint(197, 4), inPlace);
        painter.drawImage(QPoint(213, 4), inPlace);
        painter.drawImage(QPoint(229, 4), elsewhere);
        painter.drawImage(QPoint(245, 4), elsewhere);
    }
}

// The results list with 20 rows in view, five more above them.  What the
// list box repaints when its rows change is its viewport: every visible row
// parsed, laid out and painted again.  The whole widget adds the frame and
// the scroll bar, which the style draws.
void ListRepaint(benchmark::State &state, bool wholeWidget)
{
    const int rows = 20;
    auto box = GameList(rows + 5, rows * Height + 4);
    box->SetItemIndex(rows + 4);
    box->show();
    QWidget &target = wholeWidget ? static_cast<QWidget &>(*box) : *box->viewport();
    QImage image(target.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        target.render(&image);
    state.counters["rows"] = rows;
}

} // namespace

BENCHMARK_CAPTURE(Vesmar, ResultRow, ResultRow)->Name("ResultRow/Vesmar");
BENCHMARK_CAPTURE(TextDocument, ResultRow, ResultRowHTML)->Name("ResultRow/QTextDocument");
BENCHMARK(Floor)->Name("ResultRow/floor");
BENCHMARK_CAPTURE(Vesmar, HeaderRow, std::string(RigaIntestazione))->Name("HeaderRow/Vesmar");
BENCHMARK_CAPTURE(TextDocument, HeaderRow, HeaderRowHTML)->Name("HeaderRow/QTextDocument");
BENCHMARK_CAPTURE(ListRepaint, Rows, false)->Name("ListRepaint")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ListRepaint, WholeWidget, true)
    ->Name("ListRepaint/WithFrameAndScrollBar")
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    MkKeepHeapForRepaints();
    InstallFontSubstitutes();
    // The pictures the rows name are the game's own.
    std::filesystem::current_path(VESMAR_GAME_FOLDER);
    return MkRunWithRatios(
        argc, argv,
        {{{"ResultRow/QTextDocument", "HeaderRow/QTextDocument"},
          {"ResultRow/Vesmar", "HeaderRow/Vesmar"},
          "row drawing, Vesmar against QTextDocument"},
         {{"ResultRow/Vesmar"}, {"ResultRow/floor"}, "row against the pixel floor"}});
}
