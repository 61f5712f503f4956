// Root of every class of the picture library.
#pragma once

class PLObject {
public:
    virtual ~PLObject() = default;
    virtual void AssertValid() const {}
};
