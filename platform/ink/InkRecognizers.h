// Handwriting recognition as the ink layer offers it here: one recognizer, for English
// handwriting in print-like letters, that reads the context's strokes as a picture. Background
// recognition reports nothing.
#pragma once

#include "platform/ink/InkRecognitionResult.h"

#include <memory>
#include <optional>
#include <string>

// Recognize's status when the recogniser or its language model is missing.
constexpr int kInkRecognizerMissing = -1;

class InkRecognizerContext {
public:
    const std::optional<InkStrokes>& Strokes() const { return m_strokes; }
    void SetStrokes(std::optional<InkStrokes> strokes) { m_strokes = std::move(strokes); }
    int RecognitionFlags = 0;

    void EndInkInput() {}
    void StopBackgroundRecognition() {}
    // No result for no strokes or ink without text; status 0 unless the recogniser is missing.
    std::shared_ptr<InkRecognitionResult> Recognize(int& status) const;
    bool BackgroundRecognizeWithAlternates() const { return true; }

private:
    std::optional<InkStrokes> m_strokes;
};

class InkRecognizer {
public:
    std::string Name() const { return "English printed handwriting"; }
    std::shared_ptr<InkRecognizerContext> CreateRecognizerContext() const;
};

class InkRecognizers {
public:
    size_t Count() const { return 1; }
    // The one recognizer serves every language.
    std::shared_ptr<InkRecognizer> GetDefaultRecognizer(int language = 0) const;
};
