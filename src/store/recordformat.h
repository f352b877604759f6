#pragma once

#include "core/money.h"
#include "store/cp932lines.h"
#include "store/exactline.h"
#include "store/fieldreader.h"
#include "store/goalrecord.h"
#include "store/itemrecord.h"
#include "store/themerecord.h"
#include "store/timedrecord.h"

namespace zm {

// How each kind of record is read from its fields and written back, for
// RecordFile: read() through the field reader, which names any fault, or
// straight from an exact line, which only says whether it could.
template <class Rec>
struct Format;

template <>
struct Format<TimedRecord> {
    static constexpr int kFields = 3;
    static TimedRecord read(const FieldReader& f) { return {f.date(0), f.time(1), f.money(2)}; }
    static bool read(ExactLine& l, TimedRecord& r) {
        return l.date(r.date) && l.time(r.time) && l.money(r.amount);
    }
    static Money amount(const TimedRecord& r) { return r.amount; }
    static void clearString(TimedRecord&) {}
    static void put(Cp932Lines& out, const TimedRecord& r) {
        out.date(r.date).time(r.time).money(r.amount);
    }
};

template <>
struct Format<ThemeRecord> {
    static constexpr int kFields = 3;
    static ThemeRecord read(const FieldReader& f) { return {f.date(0), f.str(1), f.money(2)}; }
    static bool read(ExactLine& l, ThemeRecord& r) {
        return l.date(r.date) && l.str(r.item) && l.money(r.amount);
    }
    static Money amount(const ThemeRecord& r) { return r.amount; }
    static void clearString(ThemeRecord& r) { r.item = std::string(); }
    static void put(Cp932Lines& out, const ThemeRecord& r) {
        out.date(r.date).str(r.item).money(r.amount);
    }
};

template <>
struct Format<ItemRecord> {
    static constexpr int kFields = 2;
    static ItemRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static bool read(ExactLine& l, ItemRecord& r) { return l.str(r.item) && l.money(r.amount); }
    static Money amount(const ItemRecord& r) { return r.amount; }
    static void clearString(ItemRecord& r) { r.item = std::string(); }
    static void put(Cp932Lines& out, const ItemRecord& r) { out.str(r.item).money(r.amount); }
};

template <>
struct Format<GoalRecord> {
    static constexpr int kFields = 2;
    static GoalRecord read(const FieldReader& f) { return {f.str(0), f.money(1)}; }
    static bool read(ExactLine& l, GoalRecord& r) { return l.str(r.purpose) && l.money(r.target); }
    static Money amount(const GoalRecord& r) { return r.target; }
    static void clearString(GoalRecord& r) { r.purpose = std::string(); }
    static void put(Cp932Lines& out, const GoalRecord& r) { out.str(r.purpose).money(r.target); }
};

}  // namespace zm
