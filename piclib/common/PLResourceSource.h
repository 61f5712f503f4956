// Source over a resource of the running program, found by number and type.
#pragma once

#include "piclib/common/PLDataSource.h"
#include "platform/core/Types.h"

class PLResourceSource : public PLDataSource {
public:
    // The resource types pictures come from; 0 stands for the raw-data type.
    static constexpr UINT RawData = 10;
    static constexpr UINT Bitmap = 2;

    explicit PLResourceSource(PLIProgressNotification* progress = nullptr) : PLDataSource(progress) {}
    ~PLResourceSource() override;
    // 0, or 4 when the program has no such resource. The module is the program itself here.
    int OpenSource(HINSTANCE module, int id, UINT type);
};
