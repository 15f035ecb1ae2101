// The order of names in the self-test windows' lists: alphabetical without regard to case.
#pragma once

#include <QString>

namespace lq {

// Names that differ only in case keep a fixed order among themselves.
inline bool listsBefore(const QString& left, const QString& right) {
    const int order = QString::compare(left, right, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : left < right;
}

}  // namespace lq
