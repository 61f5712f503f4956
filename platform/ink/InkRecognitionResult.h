// What the recogniser read from a set of strokes: a sequence of words, each with the strokes
// written for it and the recogniser's choices for its text, best first. The top alternate is
// the text made of each word's current choice; text offsets are bytes of that text, where words
// are joined by a space and lines by "\r\n".
#pragma once

#include "platform/ink/InkStrokes.h"

#include <memory>
#include <string>
#include <vector>

// One word as the recogniser gives it: its box in ink space and its texts, best first.
struct InkRecognizedWord {
    std::vector<std::string> Choices;
    RECT Box{0, 0, 0, 0};
    bool EndsLine = false;
};

struct InkRecognitionSegments;

// The text of a run of words with one choice for each; it refers to the result it came from.
class InkRecognitionAlternate {
public:
    InkRecognitionAlternate(std::shared_ptr<const InkRecognitionSegments> segments, size_t first,
                            std::vector<size_t> choices);

    std::string String() const;
    // The strokes of the words the range touches; the range widens to those whole words. A
    // range between words takes the next word, or the last one at the end.
    InkStrokes GetStrokesFromTextRange(int& start, int& length) const;
    // The range of this alternate's text covering the words the strokes belong to; FALSE when
    // none of them belongs to a word here.
    bool GetTextRangeFromStrokes(const InkStrokes& strokes, int& start, int& length) const;
    // The strokes of every word that holds one of the strokes; a stroke outside every word
    // stands for itself.
    InkStrokes GetStrokesFromStrokeRanges(const InkStrokes& strokes) const;
    InkStrokes Strokes() const;

    size_t FirstWord() const { return m_first; }
    const std::vector<size_t>& Choices() const { return m_choices; }

private:
    friend class InkRecognitionResult;
    // Byte ranges of this alternate's words in its text.
    std::vector<std::pair<int, int>> WordRanges() const;
    // Words (relative to the first) the range touches, as [from, to).
    std::pair<size_t, size_t> WordsOfRange(int start, int length) const;

    std::shared_ptr<const InkRecognitionSegments> m_segments;
    size_t m_first;
    std::vector<size_t> m_choices;
};

class InkRecognitionResult {
public:
    // Each stroke goes to the word whose box holds most of its points; strokes that touch no
    // word's box belong to none. Words without text are left out.
    InkRecognitionResult(const InkStrokes& strokes, std::vector<InkRecognizedWord> words);

    std::string TopString() const { return TopAlternate()->String(); }
    std::shared_ptr<InkRecognitionAlternate> TopAlternate() const;
    // Alternates of the words the range touches: the current text first, then texts that
    // change one word to its next choice, up to `maximum` different texts.
    std::vector<std::shared_ptr<InkRecognitionAlternate>> AlternatesFromSelection(int start, int length,
                                                                                int maximum = 10) const;
    // Takes the alternate's choices into the top alternate; FALSE for one of another result.
    bool ModifyTopAlternate(const InkRecognitionAlternate& alternate);
    const InkStrokes& Strokes() const { return m_strokes; }
    size_t WordCount() const;

private:
    InkStrokes m_strokes;
    std::shared_ptr<InkRecognitionSegments> m_segments;
};
