#include "platform/ink/InkRecognizers.h"

std::shared_ptr<InkRecognitionResult> InkRecognizerContext::Recognize(int& status) const
{
    status = 0;
    return nullptr;
}

std::shared_ptr<InkRecognizerContext> InkRecognizer::CreateRecognizerContext() const
{
    return std::make_shared<InkRecognizerContext>();
}

std::shared_ptr<InkRecognizer> InkRecognizers::GetDefaultRecognizer(int) const
{
    return std::make_shared<InkRecognizer>();
}
