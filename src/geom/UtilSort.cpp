// CUtil's sorting: a middle-pivot quicksort with two scans towards each other.
#include <ckw/Util.h>

namespace {

template <typename T>
void QuickSortRange(T* values, int lo, int hi) {
    if (lo >= hi) return;
    T pivot = values[lo + (hi - lo) / 2];
    int i = lo - 1;
    int j = hi + 1;
    for (;;) {
        do ++i;
        while (values[i] < pivot);
        do --j;
        while (pivot < values[j]);
        if (i >= j) break;
        T held = values[i];
        values[i] = values[j];
        values[j] = held;
    }
    QuickSortRange(values, lo, i - 1);
    QuickSortRange(values, j + 1, hi);
}

}  // namespace

void CUtil::Sort(int n, int* values) { QuickSortRange(values, 0, n - 1); }
void CUtil::Sort(int n, float* values) { QuickSortRange(values, 0, n - 1); }
void CUtil::QuickSort(int* values, int lo, int hi) { QuickSortRange(values, lo, hi); }
void CUtil::QuickSort(float* values, int lo, int hi) { QuickSortRange(values, lo, hi); }
