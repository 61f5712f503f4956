// Redrawing a full-HD page of mixed content at 100 %: text boxes, shapes joined by routed
// connectors, pictures and sticky notes, drawn by the page view into a memory bitmap beside
// QPainter drawing the same pixels on a QImage. The set-up compares the two pages pixel by pixel.
#include "View/MyView.h"
#include "bench/View/PageDifference.h"
#include "bench/View/PageScreen.h"
#include "imaging/ExtDib.h"
#include "objects/kinds/BitmapGen.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/StickyGen.h"
#include "objects/kinds/TextGen.h"
#include "platform/core/BinaryResources.h"
#include "platform/core/MemFile.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// The page is a grid of cells, each with a text box, a shape joined to the next cell's shape,
// a picture and a note.
constexpr int kCellWidth = 160;
constexpr int kCellHeight = 120;
constexpr int kColumns = kWidth / kCellWidth;
constexpr int kRows = kHeight / kCellHeight;
constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 32;
constexpr int kNoteWidth = 16;
constexpr int kNoteHeight = 14;
constexpr COLORREF kNoteKey = CStickyOb::IconTransparency;
constexpr int kFontPixels = 13;

// A 24-bit bitmap file of the pixels, top row first.
std::vector<BYTE> BitmapFile(int width, int height, const std::vector<COLORREF>& pixels)
{
    const int stride = (width * 3 + 3) & ~3;
    const DWORD imageBytes = DWORD(stride * height), offset = 14 + 40;
    std::vector<BYTE> file(offset + imageBytes, 0);
    auto put = [&file](size_t at, DWORD value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + size_t(i)] = BYTE(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, offset + imageBytes, 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, DWORD(width), 4);
    put(22, DWORD(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, imageBytes, 4);
    for (int y = 0; y < height; ++y) {
        BYTE* row = &file[offset + size_t((height - 1 - y) * stride)];
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixels[size_t(y * width + x)];
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return file;
}

// A picture of soft colour ramps.
std::vector<COLORREF> PicturePixels()
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            pixels.push_back(RGB(x * 4, y * 8, 255 - x * 2));
    return pixels;
}

// A yellow note with a dark fold, its corners in the notes' transparent colour.
std::vector<COLORREF> NotePixels()
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kNoteHeight; ++y)
        for (int x = 0; x < kNoteWidth; ++x) {
            const bool corner = (x < 2 || x >= kNoteWidth - 2) && (y < 2 || y >= kNoteHeight - 2);
            const bool fold = x + y >= kNoteWidth + kNoteHeight - 7;
            pixels.push_back(corner ? kNoteKey : fold ? RGB(160, 140, 0) : RGB(255, 236, 64));
        }
    return pixels;
}

QImage ToImage(int width, int height, const std::vector<COLORREF>& pixels, COLORREF key)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixels[size_t(y * width + x)];
            image.setPixel(x, y, c == key ? 0u : qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    return image;
}

LOGFONT LabelFont()
{
    LOGFONT font{};
    font.lfHeight = -kFontPixels;
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    return font;
}

// What QPainter is given: the page's content in drawing order, bottom first.
struct Content {
    struct Text {
        QRect box;
        QColor fill, ink;
        QString text;
    };
    struct Shape {
        QRect box;
        QColor fill, outline;
    };
    struct Connector {
        QPolygon points;
        QColor colour;
    };
    std::vector<Text> texts;
    std::vector<Shape> shapes;
    std::vector<QPoint> pictures;
    std::vector<QPoint> notes;
    std::vector<Connector> connectors;
    QImage picture;
    QImage note;
};

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The page view and the same content for QPainter.
class MixedPage {
public:
    MixedPage()
    {
        RegisterBinaryResource(ResourceKind::Bitmap, CStickyOb::IconId, BitmapFile(kNoteWidth, kNoteHeight, NotePixels()));
        const std::vector<BYTE> file = BitmapFile(kPictureWidth, kPictureHeight, PicturePixels());
        CMemFile memory(const_cast<BYTE*>(file.data()), UINT(file.size()));
        m_picture.Read(&memory, nullptr);
        m_picture.m_kind = CExtDib::Embedded;
        m_content.picture = ToImage(kPictureWidth, kPictureHeight, PicturePixels(), CLR_INVALID);
        m_content.note = ToImage(kNoteWidth, kNoteHeight, NotePixels(), kNoteKey);
        m_view.CreatePageObject();
        m_view.SetEditMode(FALSE);  // the page alone, without the snap marks of editing
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column)
                AddCell(column * kCellWidth, row * kCellHeight, row * kColumns + column);
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column + 1 < kColumns; ++column)
                Connect(column * kCellWidth, row * kCellHeight, {50, 60}, {kCellWidth + 10, 60});
        // Down to the next row's shape, around the text box in between.
        for (int row = 0; row + 1 < kRows; ++row)
            for (int column = 0; column < kColumns; column += 3)
                Connect(column * kCellWidth, row * kCellHeight, {30, 80}, {30, kCellHeight + 40});
        Collect();
    }

    CMyView& View() { return m_view; }
    const Content& Reference() const { return m_content; }

private:
    // Objects are added top first, so the first one added lies at the bottom.
    void Add(CHyperOb* object) { m_view.GetObjects().InsertAt(0, object); }

    void AddCell(int x, int y, int index)
    {
        auto* text = new CTextGen;
        const CRect textBox(x + 4, y + 4, x + 112, y + 26);
        text->Init(&m_view, &textBox, TRUE);
        const LOGFONT font = LabelFont();
        text->SetFont(&font);
        text->SetBackColor(RGB(230, 240, 255));
        text->SetForeColor(RGB(20, 20, 120));
        text->Text.Format("Item %d", index + 1);
        Add(text);

        auto* shape = new CBorderGen;
        const CRect shapeBox(x + 10, y + 40, x + 50, y + 80);
        shape->Init(&m_view, &shapeBox, TRUE);
        shape->SetBackColor(RGB(255 - index, 200, 120 + index));
        shape->SetForeColor(RGB(0, 60, 0));
        Add(shape);

        auto* picture = new CBitmapGen;
        const CRect pictureBox(x + 60, y + 84, x + 60 + kPictureWidth, y + 84 + kPictureHeight);
        picture->Init(&m_view, &pictureBox, TRUE);
        picture->SetPicture(&m_picture);
        Add(picture);

        auto* note = new CStickyGen;
        const CRect noteBox(x + 130, y + 6, x + 130 + kNoteWidth, y + 6 + kNoteHeight);
        note->Init(&m_view, &noteBox, TRUE);
        note->OnInsert();
        Add(note);
    }

    // A connector between two shapes' sides, given from a cell's corner, routed as the
    // Connector tool does.
    void Connect(int x, int y, POINT from, POINT to)
    {
        auto* connector = new CConnectGen;
        const CRect ends(x + from.x, y + from.y, x + to.x, y + to.y);
        connector->Init(&m_view, &ends, TRUE);
        connector->OnInsert();
        Add(connector);
    }

    void Collect()
    {
        CObArray& objects = m_view.GetObjects();
        for (INT_PTR i = objects.GetSize() - 1; i >= 0; --i) {
            auto* object = static_cast<CHyperOb*>(objects[i]);
            CRect r;
            object->GetRect(&r, nullptr);
            COLORREF back = 0, fore = 0;
            object->GetBackColor(&back);
            object->GetForeColor(&fore);
            if (auto* text = dynamic_cast<CTextOb*>(object))
                m_content.texts.push_back({ToQRect(r), ToQColor(back), ToQColor(fore), QString::fromLatin1(static_cast<LPCTSTR>(text->Text))});
            else if (auto* connector = dynamic_cast<CConnectOb*>(object))
                m_content.connectors.push_back({Points(*connector), ToQColor(fore)});
            else if (dynamic_cast<CStickyOb*>(object))
                m_content.notes.push_back(QPoint(r.left, r.top));
            else if (dynamic_cast<CBitmapOb*>(object))
                m_content.pictures.push_back(QPoint(r.left, r.top));
            else
                m_content.shapes.push_back({ToQRect(r), ToQColor(back), ToQColor(fore)});
        }
    }

    static QPolygon Points(const CConnectOb& connector)
    {
        QPolygon points;
        for (int i = 0; i < connector.GetNumberOfPoints(); ++i)
            points << QPoint(connector.GetPoint(i).x, connector.GetPoint(i).y);
        return points;
    }

    CMyView m_view;
    CExtDib m_picture;
    Content m_content;
};

QFont ReferenceFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(kFontPixels);
    font.setKerning(false);
    return font;
}

// The same page as a QPainter program draws it: kind by kind (nothing overlaps but the
// connectors, which lie on top), each text centred in its box inside a one-pixel margin.
void PaintWithQPainter(QImage& image, const Content& content)
{
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    painter.setFont(ReferenceFont());
    const QFontMetrics metrics(painter.font());
    for (const Content::Text& text : content.texts) {
        painter.fillRect(text.box, text.fill);
        const QRect inner = text.box.adjusted(1, 1, -1, -1);
        const int width = std::min(metrics.horizontalAdvance(text.text), inner.width());
        const int height = std::min(metrics.ascent() + metrics.descent(), inner.height());
        const QRect line(inner.left() + (inner.width() - width) / 2, inner.top() + (inner.height() - height) / 2,
                         width, height);
        painter.setPen(text.ink);
        painter.setClipRect(line);
        painter.drawText(line.left(), line.top() + metrics.ascent(), text.text);
        painter.setClipping(false);
    }
    for (const Content::Shape& shape : content.shapes) {
        painter.fillRect(shape.box, shape.fill);
        painter.setPen(QPen(shape.outline, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(shape.box.adjusted(0, 0, -1, -1));
    }
    for (const QPoint& at : content.pictures)
        painter.drawImage(at, content.picture);
    for (const QPoint& at : content.notes)
        painter.drawImage(at, content.note);
    for (const Content::Connector& connector : content.connectors) {
        painter.setPen(QPen(connector.colour, 0, Qt::SolidLine, Qt::FlatCap));
        painter.drawPolyline(connector.points);
    }
}

void MixedPageRedraw(benchmark::State& state)
{
    MixedPage page;
    PageScreen screen(kWidth, kHeight);
    screen.Paint(page.View());
    QImage reference(kWidth, kHeight, QImage::Format_RGB32);
    PaintWithQPainter(reference, page.Reference());
    if (const std::string difference = FirstDifference(screen, reference); !difference.empty())
        state.SkipWithError(difference.c_str());
    for (auto _ : state)
        screen.Paint(page.View());
    state.SetItemsProcessed(state.iterations() * page.View().GetObjects().GetSize());
}
BENCHMARK(MixedPageRedraw)->Unit(benchmark::kMillisecond);

void MixedPageRedrawQPainter(benchmark::State& state)
{
    MixedPage page;
    // The view shows the page once first, which starts the GUI application fonts need.
    PageScreen(kWidth, kHeight).Paint(page.View());
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
        PaintWithQPainter(image, page.Reference());
    state.SetItemsProcessed(state.iterations() * page.View().GetObjects().GetSize());
}
BENCHMARK(MixedPageRedrawQPainter)->Unit(benchmark::kMillisecond);

} // namespace
