// Receives how much of a source has been read, as a fraction from 0 to 1.
#pragma once

class PLIProgressNotification {
public:
    virtual ~PLIProgressNotification() = default;
    virtual void OnProgress(double part) = 0;
};
