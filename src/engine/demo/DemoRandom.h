#pragma once

#include <QList>
#include <QtGlobal>
#include <random>

namespace dalvira::demo {

// The demo's only source of chance. std::mt19937's output is fixed by the C++ standard, but
// the standard distributions are not (each library maps the raw numbers its own way), so the
// few distributions the demo needs are written here: one seed gives the same site everywhere.
class DemoRandom
{
public:
    explicit DemoRandom(quint32 seed) : m_engine(seed) {}

    // 0 <= result < n (n > 0): the upper bits of a 32x32 multiplication, no division.
    int below(int n) { return int((quint64(m_engine()) * quint64(n)) >> 32); }
    // lo <= result <= hi
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // True in percent out of 100 draws.
    bool chance(int percent) { return below(100) < percent; }

    template <typename T> const T &pick(const QList<T> &list)
    {
        return list[below(int(list.size()))];
    }

    // Fisher-Yates with the draws above.
    template <typename T> void shuffle(QList<T> &list)
    {
        for (qsizetype i = list.size() - 1; i > 0; --i)
            list.swapItemsAt(i, below(int(i) + 1));
    }

private:
    std::mt19937 m_engine;
};

} // namespace dalvira::demo
