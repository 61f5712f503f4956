#include "platform/ink/InkTextReader.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

constexpr int kLargestSide = 4000;  // pixels; wider ink is read smaller

// The height of a letter: most strokes of printed letters span one, crossbars and dots less.
double LetterHeight(const InkStrokes& strokes)
{
    std::vector<LONG> heights;
    for (const auto& stroke : strokes.All()) {
        const RECT box = stroke->GetBoundingBox(InkBoundingBoxMode::PointsOnly);
        if (box.bottom > box.top)
            heights.push_back(box.bottom - box.top);
    }
    if (heights.empty())
        return 1;
    std::sort(heights.begin(), heights.end());
    return heights[heights.size() * 3 / 4];
}

// One engine for the process: loading the language model takes longer than reading a page.
// It loads while being made, so the recogniser's own caches are made first and outlive it.
class TextEngine {
public:
    TextEngine()
    {
        auto api = std::make_unique<tesseract::TessBaseAPI>();
        if (api->Init(nullptr, "eng", tesseract::OEM_LSTM_ONLY) != 0)
            return;
        // Per-letter choices of the line recogniser give each word its alternates.
        api->SetVariable("lstm_choice_mode", "2");
        api->SetVariable("debug_file", "/dev/null");
        m_api = std::move(api);
    }
    ~TextEngine()
    {
        if (m_api)
            m_api->End();
    }
    // NULL when the engine or its English model is missing.
    tesseract::TessBaseAPI* Api() { return m_api.get(); }
    std::mutex Lock;

private:
    std::unique_ptr<tesseract::TessBaseAPI> m_api;
};

TextEngine& Engine()
{
    static TextEngine engine;
    return engine;
}

std::string Utf8(char* text)
{
    std::unique_ptr<char[]> owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

std::string Trimmed(std::string text)
{
    const auto first = text.find_first_not_of(" \n");
    const auto last = text.find_last_not_of(" \n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The word as read, then the word with one letter changed to the recogniser's next choices
// for it, letter by letter, rank by rank.
std::vector<std::string> WordChoices(const tesseract::ResultIterator& word, const std::string& best)
{
    std::vector<std::vector<std::string>> letters;
    tesseract::ResultIterator symbol(word);
    std::string letterText;
    do {
        std::vector<std::string> choices;
        tesseract::ChoiceIterator choice(symbol);
        do {
            const char* text = choice.GetUTF8Text();
            if (text && *text && std::strcmp(text, " ") != 0)
                choices.emplace_back(text);
        } while (choice.Next());
        letterText += Utf8(symbol.GetUTF8Text(tesseract::RIL_SYMBOL));
        letters.push_back(std::move(choices));
    } while (!symbol.IsAtFinalElement(tesseract::RIL_WORD, tesseract::RIL_SYMBOL) &&
             symbol.Next(tesseract::RIL_SYMBOL));
    std::vector<std::string> words{best};
    if (letterText != best)
        return words;
    size_t deepest = 0;
    for (const auto& choices : letters)
        deepest = std::max(deepest, choices.size());
    for (size_t rank = 1; rank < deepest; ++rank) {
        size_t offset = 0;
        for (const auto& choices : letters) {
            const size_t length = choices.empty() ? 0 : choices.front().size();
            if (rank < choices.size()) {
                std::string changed = best;
                changed.replace(offset, length, choices[rank]);
                if (std::find(words.begin(), words.end(), changed) == words.end())
                    words.push_back(std::move(changed));
            }
            offset += length;
        }
    }
    return words;
}

RECT InkBox(const InkTextImage& image, int left, int top, int right, int bottom)
{
    auto x = [&](int px) { return static_cast<LONG>(std::lround(image.Left + px / image.Scale)); };
    auto y = [&](int px) { return static_cast<LONG>(std::lround(image.Top + px / image.Scale)); };
    return {x(left), y(top), x(right), y(bottom)};
}

std::vector<InkRecognizedWord> Words(tesseract::TessBaseAPI& api, const InkTextImage& image)
{
    std::vector<InkRecognizedWord> words;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it || it->Empty(tesseract::RIL_WORD))
        return words;
    do {
        const std::string text = Trimmed(Utf8(it->GetUTF8Text(tesseract::RIL_WORD)));
        if (text.empty())
            continue;
        int left = 0, top = 0, right = 0, bottom = 0;
        it->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom);
        words.push_back({WordChoices(*it, text), InkBox(image, left, top, right, bottom),
                         it->IsAtFinalElement(tesseract::RIL_TEXTLINE, tesseract::RIL_WORD)});
    } while (it->Next(tesseract::RIL_WORD));
    return words;
}

} // namespace

InkTextImage RenderInkForReading(const InkStrokes& strokes)
{
    InkTextImage image;
    const RECT box = strokes.GetBoundingBox(InkBoundingBoxMode::PointsOnly);
    if (!strokes.Count())
        return image;
    const double width = static_cast<double>(box.right) - box.left, height = static_cast<double>(box.bottom) - box.top;
    double scale = kInkTextLetterHeight / LetterHeight(strokes);
    const double fit = (kLargestSide - 2.0 * kInkTextLetterHeight - 1) / std::max({width, height, 1.0});
    scale = std::min(scale, fit);
    image.Scale = scale;
    image.Left = box.left - kInkTextLetterHeight / scale;
    image.Top = box.top - kInkTextLetterHeight / scale;
    image.Width = static_cast<int>(std::ceil(width * scale)) + 2 * kInkTextLetterHeight;
    image.Height = static_cast<int>(std::ceil(height * scale)) + 2 * kInkTextLetterHeight;
    image.Pixels.assign(static_cast<size_t>(image.Width) * image.Height, 255);

    QImage picture(image.Pixels.data(), image.Width, image.Height, image.Width, QImage::Format_Grayscale8);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kInkTextLetterHeight / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& stroke : strokes.All()) {
        if (stroke->Points().empty())
            continue;
        auto at = [&](POINT p) { return QPointF((p.x - image.Left) * scale, (p.y - image.Top) * scale); };
        if (stroke->Points().size() == 1) {
            painter.drawPoint(at(stroke->Points().front()));
            continue;
        }
        QPainterPath path;
        path.moveTo(at(stroke->Points().front()));
        for (const POINT& p : stroke->Points())
            path.lineTo(at(p));
        painter.drawPath(path);
    }
    return image;
}

std::optional<std::vector<InkRecognizedWord>> ReadInkWords(const InkStrokes& strokes)
{
    TextEngine& engine = Engine();
    std::lock_guard lock(engine.Lock);
    tesseract::TessBaseAPI* api = engine.Api();
    if (!api)
        return std::nullopt;
    const InkTextImage image = RenderInkForReading(strokes);
    if (image.Pixels.empty())
        return std::vector<InkRecognizedWord>();
    api->SetPageSegMode(tesseract::PSM_AUTO);
    api->SetImage(image.Pixels.data(), image.Width, image.Height, 1, image.Width);
    api->SetSourceResolution(300);
    std::vector<InkRecognizedWord> words;
    if (api->Recognize(nullptr) == 0)
        words = Words(*api, image);
    api->Clear();
    return words;
}
