#include "platform/ink/InkRecognizers.h"

#include "platform/ink/InkTextReader.h"

std::shared_ptr<InkRecognitionResult> InkRecognizerContext::Recognize(int& status) const
{
    status = 0;
    if (!m_strokes || !m_strokes->Count())
        return nullptr;
    auto words = ReadInkWords(*m_strokes);
    if (!words) {
        status = kInkRecognizerMissing;
        return nullptr;
    }
    auto result = std::make_shared<InkRecognitionResult>(*m_strokes, std::move(*words));
    return result->WordCount() ? result : nullptr;
}

std::shared_ptr<InkRecognizerContext> InkRecognizer::CreateRecognizerContext() const
{
    return std::make_shared<InkRecognizerContext>();
}

std::shared_ptr<InkRecognizer> InkRecognizers::GetDefaultRecognizer(int) const
{
    return std::make_shared<InkRecognizer>();
}
