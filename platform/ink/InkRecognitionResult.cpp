#include "platform/ink/InkRecognitionResult.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>

struct InkRecognitionSegments {
    struct Word {
        std::vector<std::string> choices;
        InkStrokes strokes;
        bool endsLine = false;
    };
    std::vector<Word> words;
    std::vector<size_t> chosen;
};

namespace {

int PointsInside(const InkStrokeDisp& stroke, const RECT& box)
{
    // A word's box is tight around its ink: a little slack keeps the pen's edges in.
    const int64_t slack = std::max<int64_t>(1, (static_cast<int64_t>(box.bottom) - box.top) / 4);
    int inside = 0;
    for (const POINT& p : stroke.Points())
        inside += p.x >= box.left - slack && p.x <= box.right + slack && p.y >= box.top - slack &&
                  p.y <= box.bottom + slack;
    return inside;
}

// The index of the word holding the stroke, or the word count when none does.
size_t WordOf(const InkRecognitionSegments& segments, size_t first, size_t count, LONG strokeId)
{
    for (size_t i = 0; i < count; ++i)
        if (segments.words[first + i].strokes.Contains(strokeId))
            return i;
    return count;
}

} // namespace

InkRecognitionAlternate::InkRecognitionAlternate(std::shared_ptr<const InkRecognitionSegments> segments,
                                                 size_t first, std::vector<size_t> choices)
    : m_segments(std::move(segments)), m_first(first), m_choices(std::move(choices))
{
}

std::vector<std::pair<int, int>> InkRecognitionAlternate::WordRanges() const
{
    std::vector<std::pair<int, int>> ranges;
    int offset = 0;
    for (size_t i = 0; i < m_choices.size(); ++i) {
        const auto& word = m_segments->words[m_first + i];
        const int length = static_cast<int>(word.choices[m_choices[i]].size());
        ranges.emplace_back(offset, offset + length);
        offset += length + (word.endsLine ? 2 : 1);
    }
    return ranges;
}

std::string InkRecognitionAlternate::String() const
{
    std::string text;
    for (size_t i = 0; i < m_choices.size(); ++i) {
        const auto& word = m_segments->words[m_first + i];
        if (i)
            text += m_segments->words[m_first + i - 1].endsLine ? "\r\n" : " ";
        text += word.choices[m_choices[i]];
    }
    return text;
}

std::pair<size_t, size_t> InkRecognitionAlternate::WordsOfRange(int start, int length) const
{
    const auto ranges = WordRanges();
    if (ranges.empty())
        return {0, 0};
    const int end = start + std::max(length, 1);
    size_t from = ranges.size(), to = 0;
    for (size_t i = 0; i < ranges.size(); ++i)
        if (ranges[i].first < end && start < ranges[i].second) {
            from = std::min(from, i);
            to = i + 1;
        }
    if (from < to)
        return {from, to};
    for (size_t i = 0; i < ranges.size(); ++i)
        if (ranges[i].first >= start)
            return {i, i + 1};
    return {ranges.size() - 1, ranges.size()};
}

InkStrokes InkRecognitionAlternate::GetStrokesFromTextRange(int& start, int& length) const
{
    InkStrokes strokes(m_segments->words.empty() ? std::weak_ptr<InkDisp>() : m_segments->words[0].strokes.Ink());
    const auto [from, to] = WordsOfRange(start, length);
    if (from == to)
        return strokes;
    const auto ranges = WordRanges();
    start = ranges[from].first;
    length = ranges[to - 1].second - start;
    for (size_t i = from; i < to; ++i)
        strokes.AddStrokes(m_segments->words[m_first + i].strokes);
    return strokes;
}

bool InkRecognitionAlternate::GetTextRangeFromStrokes(const InkStrokes& strokes, int& start, int& length) const
{
    size_t from = m_choices.size(), to = 0;
    for (const auto& stroke : strokes.All()) {
        const size_t word = WordOf(*m_segments, m_first, m_choices.size(), stroke->ID());
        if (word < m_choices.size()) {
            from = std::min(from, word);
            to = std::max(to, word + 1);
        }
    }
    if (from >= to)
        return false;
    const auto ranges = WordRanges();
    start = ranges[from].first;
    length = ranges[to - 1].second - start;
    return true;
}

InkStrokes InkRecognitionAlternate::GetStrokesFromStrokeRanges(const InkStrokes& strokes) const
{
    InkStrokes found(strokes.Ink());
    for (const auto& stroke : strokes.All()) {
        const size_t word = WordOf(*m_segments, m_first, m_choices.size(), stroke->ID());
        if (word < m_choices.size())
            found.AddStrokes(m_segments->words[m_first + word].strokes);
        else
            found.Add(stroke);
    }
    return found;
}

InkStrokes InkRecognitionAlternate::Strokes() const
{
    int start = 0, length = static_cast<int>(String().size());
    return m_choices.empty() ? InkStrokes() : GetStrokesFromTextRange(start, length);
}

InkRecognitionResult::InkRecognitionResult(const InkStrokes& strokes, std::vector<InkRecognizedWord> words)
    : m_strokes(strokes), m_segments(std::make_shared<InkRecognitionSegments>())
{
    std::vector<RECT> boxes;
    for (InkRecognizedWord& word : words) {
        if (word.Choices.empty() || word.Choices.front().empty()) {
            if (word.EndsLine && !m_segments->words.empty())
                m_segments->words.back().endsLine = true;
            continue;
        }
        m_segments->words.push_back({std::move(word.Choices), InkStrokes(strokes.Ink()), word.EndsLine});
        boxes.push_back(word.Box);
    }
    m_segments->chosen.assign(m_segments->words.size(), 0);
    for (const auto& stroke : strokes.All()) {
        size_t best = boxes.size();
        int most = 0;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (const int inside = PointsInside(*stroke, boxes[i]); inside > most) {
                most = inside;
                best = i;
            }
        if (best < boxes.size())
            m_segments->words[best].strokes.Add(stroke);
    }
}

size_t InkRecognitionResult::WordCount() const { return m_segments->words.size(); }

std::shared_ptr<InkRecognitionAlternate> InkRecognitionResult::TopAlternate() const
{
    return std::make_shared<InkRecognitionAlternate>(m_segments, 0, m_segments->chosen);
}

std::vector<std::shared_ptr<InkRecognitionAlternate>> InkRecognitionResult::AlternatesFromSelection(
    int start, int length, int maximum) const
{
    std::vector<std::shared_ptr<InkRecognitionAlternate>> alternates;
    const auto [from, to] = TopAlternate()->WordsOfRange(start, length);
    if (from == to || maximum <= 0)
        return alternates;
    const std::vector<size_t> current(m_segments->chosen.begin() + static_cast<std::ptrdiff_t>(from),
                                      m_segments->chosen.begin() + static_cast<std::ptrdiff_t>(to));
    std::set<std::string> texts;
    auto offer = [&, first = from](const std::vector<size_t>& choices) {
        auto alternate = std::make_shared<InkRecognitionAlternate>(m_segments, first, choices);
        if (static_cast<int>(alternates.size()) < maximum && texts.insert(alternate->String()).second)
            alternates.push_back(std::move(alternate));
    };
    offer(current);
    size_t deepest = 0;
    for (size_t w = from; w < to; ++w)
        deepest = std::max(deepest, m_segments->words[w].choices.size());
    for (size_t rank = 0; rank < deepest; ++rank)
        for (size_t w = from; w < to; ++w)
            if (rank < m_segments->words[w].choices.size()) {
                std::vector<size_t> choices = current;
                choices[w - from] = rank;
                offer(choices);
            }
    return alternates;
}

bool InkRecognitionResult::ModifyTopAlternate(const InkRecognitionAlternate& alternate)
{
    if (alternate.m_segments != m_segments)
        return false;
    for (size_t i = 0; i < alternate.Choices().size(); ++i)
        m_segments->chosen[alternate.FirstWord() + i] = alternate.Choices()[i];
    return true;
}
