#pragma once

// How a year's close marks the database it leaves: the opening receipt that
// carries the stock on hand into the new year, dated the new year's first
// day, from this supplier, its remark naming the archive.
namespace closedyear {

inline constexpr char OpeningSupplier[] = "OPENING STOCK";
inline constexpr char RemarkStart[] = "CLOSED INTO ";  // then the archive's file name

}  // namespace closedyear
