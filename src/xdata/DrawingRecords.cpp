// The drawing-frame and drawing-information records: fixed lists of values in the
// drawing-level data, written and read through CXDataUtil.
#include <ckw/DrawingRecords.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string_view>

#include <ckw/XDataUtil.h>
#include "XDataRecords.h"
#include "base/GbkText.h"

namespace {

// One value of a record, as written or as an output to fill.
struct Field {
    short type;
    int* integer = nullptr;
    float* real = nullptr;
    char* text = nullptr;
    std::size_t capacity = 0;
    int intValue = 0;
    float realValue = 0;
    const char* textValue = nullptr;
};

constexpr std::size_t kWhole = std::numeric_limits<std::size_t>::max();

Field In(int v) { return {kXDataInteger, nullptr, nullptr, nullptr, 0, v}; }
Field In(float v) { return {kXDataReal, nullptr, nullptr, nullptr, 0, 0, v}; }
Field In(const char* v) { return {kXDataString, nullptr, nullptr, nullptr, 0, 0, 0, v}; }
Field Out(int& v) { return {kXDataInteger, &v}; }
Field Out(float& v) { return {kXDataReal, nullptr, &v}; }
Field Out(char* v, std::size_t capacity = kWhole) { return {kXDataString, nullptr, nullptr, v, capacity}; }

// Stored as (value + 0.5) truncated toward zero, as the frame record always has been.
int FrameRounded(int v) { return static_cast<int>(static_cast<double>(v) + 0.5); }

int Write(const char* appName, std::initializer_list<Field> fields) {
    XDataItemList list;
    for (const Field& f : fields) {
        auto* record = new XData_Resbuf_;
        record->restype = f.type;
        if (f.type == kXDataInteger) record->resval.nInt = f.intValue;
        if (f.type == kXDataReal) record->resval.fReal = f.realValue;
        if (f.type == kXDataString) {
            std::string_view text = f.textValue ? f.textValue : "";
            record->resval.pString = ckw::xdata::NewString(text, text.size() + 1);
        }
        list.Add(record);
    }
    // An oversized record shows the size message and stores nothing; the result stays 1.
    CXDataUtil util;
    util.Set_DbData(appName, &list);
    CXDataUtil::Remove_Array(list);
    return 1;
}

int Read(const char* appName, std::initializer_list<Field> fields) {
    XDataItemList list;
    CXDataUtil util;
    util.Get_DbData(appName, &list);
    const int count = std::min(list.GetSize(), static_cast<int>(fields.size()));
    for (int i = 0; i < count; ++i) {
        const XData_Resbuf_* record = list[i];
        const Field& f = fields.begin()[i];
        if (!record || record->restype != f.type) continue;
        if (f.integer) *f.integer = record->resval.nInt;
        if (f.real) *f.real = record->resval.fReal;
        if (f.text) ckw::text::CopyToBuffer(record->resval.pString, f.text, f.capacity);
    }
    CXDataUtil::Remove_Array(list);
    return 1;
}

}  // namespace

int kwWrite_DrawingFrame(int a, int b, float r, int c, int d, const char* s) {
    return Write(kDrawFrameAppName, {In(a), In(r), In(b), In(FrameRounded(c)), In(FrameRounded(d)), In(s)});
}

int kwRead_DrawingFrame(int& a, int& b, float& r, int& c, int& d, char* s) {
    return kwRead_DrawingFrame(a, b, r, c, d, s, kWhole);
}

int kwRead_DrawingFrame(int& a, int& b, float& r, int& c, int& d, char* s, size_t sCapacity) {
    return Read(kDrawFrameAppName, {Out(a), Out(r), Out(b), Out(c), Out(d), Out(s, sCapacity)});
}

int kwWrite_DrawingInfo(int i1, const char* s1, int i2) { return Write(kDrawInfoAppName, {In(i1), In(s1), In(i2)}); }

int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3) {
    return Write(kDrawInfoAppName, {In(i1), In(s1), In(i2), In(i3)});
}

int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3, const char* s2) {
    return Write(kDrawInfoAppName, {In(i1), In(s1), In(i2), In(i3), In(s2)});
}

int kwWrite_DrawingInfo(int i1, const char* s1, int i2, int i3, const char* s2, int i4) {
    return Write(kDrawInfoAppName, {In(i1), In(s1), In(i2), In(i3), In(s2), In(i4)});
}

int kwRead_DrawingInfo(int& i1, char* s1, int& i2) { return kwRead_DrawingInfo(i1, s1, kWhole, i2); }

int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3) { return kwRead_DrawingInfo(i1, s1, kWhole, i2, i3); }

int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3, char* s2) {
    return kwRead_DrawingInfo(i1, s1, kWhole, i2, i3, s2, kWhole);
}

int kwRead_DrawingInfo(int& i1, char* s1, int& i2, int& i3, char* s2, int& i4) {
    return kwRead_DrawingInfo(i1, s1, kWhole, i2, i3, s2, kWhole, i4);
}

int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2) {
    return Read(kDrawInfoAppName, {Out(i1), Out(s1, s1Capacity), Out(i2)});
}

int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3) {
    return Read(kDrawInfoAppName, {Out(i1), Out(s1, s1Capacity), Out(i2), Out(i3)});
}

int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3, char* s2, size_t s2Capacity) {
    return Read(kDrawInfoAppName, {Out(i1), Out(s1, s1Capacity), Out(i2), Out(i3), Out(s2, s2Capacity)});
}

int kwRead_DrawingInfo(int& i1, char* s1, size_t s1Capacity, int& i2, int& i3, char* s2, size_t s2Capacity, int& i4) {
    return Read(kDrawInfoAppName, {Out(i1), Out(s1, s1Capacity), Out(i2), Out(i3), Out(s2, s2Capacity), Out(i4)});
}
