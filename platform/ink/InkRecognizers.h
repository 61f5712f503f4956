// Handwriting recognition as the ink layer offers it here: there is no recogniser behind it,
// so the default recognizer exists but recognises nothing. Recognize gives no result with
// status 0, and background recognition reports nothing.
#pragma once

#include "platform/ink/InkStrokes.h"

#include <memory>
#include <optional>
#include <string>

class InkRecognitionResult;

class InkRecognizerContext {
public:
    const std::optional<InkStrokes>& Strokes() const { return m_strokes; }
    void SetStrokes(std::optional<InkStrokes> strokes) { m_strokes = std::move(strokes); }
    int RecognitionFlags = 0;

    void EndInkInput() {}
    void StopBackgroundRecognition() {}
    std::shared_ptr<InkRecognitionResult> Recognize(int& status) const;
    bool BackgroundRecognizeWithAlternates() const { return true; }

private:
    std::optional<InkStrokes> m_strokes;
};

class InkRecognizer {
public:
    std::string Name() const { return "No handwriting recognition"; }
    std::shared_ptr<InkRecognizerContext> CreateRecognizerContext() const;
};

class InkRecognizers {
public:
    size_t Count() const { return 1; }
    // The one recognizer serves every language.
    std::shared_ptr<InkRecognizer> GetDefaultRecognizer(int language = 0) const;
};
