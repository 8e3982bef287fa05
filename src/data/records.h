// The record buffers: one in-memory row per table, named after the table's fields.
// Arrays start at index 0 so that element i holds the field numbered i; element 0 is never used.
#pragma once

#include "data/fixed_text.h"
#include "platform/db/currency.h"

#include <array>
#include <cstdint>
#include <string>

namespace data {

using db::Currency;

struct F01Rec {
    std::int16_t F01_NO = 0;
    std::int32_t F01_TDY = 0;
    std::int32_t F01_ACT = 0;
    std::int16_t F01_SIM = 0;
    std::int16_t F01_STMM = 0;
    std::int32_t F01_UPD = 0;
    std::int16_t F01_TAX1 = 0;
    std::int16_t F01_TAX2 = 0;
    std::int32_t F01_TYMD = 0;
    std::int32_t F01_DNO = 0;
    std::array<FixedText, 6> F01_NENG{FixedText(4), FixedText(4), FixedText(4),
                                      FixedText(4), FixedText(4), FixedText(4)};
    std::array<std::int32_t, 6> F01_STYMD{};
    std::array<FixedText, 3> F01_NAM{FixedText(30), FixedText(30), FixedText(30)};
    FixedText F01_PST{10};
    std::array<FixedText, 3> F01_ADR{FixedText(30), FixedText(30), FixedText(30)};
    FixedText F01_TEL{15};
    FixedText F01_FAX{15};
    std::array<FixedText, 3> F01_BNK{FixedText(30), FixedText(30), FixedText(30)};
    FixedText F01_DUM{15};
};

struct F10KBNRec {
    std::int16_t F10KBN_ID = 0;
    FixedText F10KBN_NAME{30};
    std::int16_t F10KBN_KETA = 0;
    std::int16_t F10KBN_LEN = 0;
    FixedText F10KBN_DUM{15};
};

struct F10Rec {
    std::int16_t F10_KBN = 0;
    std::int32_t F10_COD = 0;
    FixedText F10_DTL{30};
    std::array<FixedText, 5> F10_CNV{FixedText(15), FixedText(15), FixedText(15), FixedText(15), FixedText(15)};
    FixedText F10_DUM{15};
};

struct F18Rec {
    FixedText F18_COD{6};
    FixedText F18_DSC{30};
    std::int16_t F18_KBN = 0;
    std::int32_t F18_ACT = 0;
    std::int32_t F18_SRT = 0;
    std::int16_t F18_KND = 0;
    std::int32_t F18_CUS = 0;
    FixedText F18_RMK{30};
    std::int16_t F18_IO = 0;
    Currency F18_AMT;
    FixedText F18_DUM{15};
};

struct F21Rec {
    std::int16_t F21_KBN = 0;
    std::int32_t F21_ACT = 0;
    std::int16_t F21_SRTKBN = 0;
    std::int32_t F21_SRT = 0;
    FixedText F21_NAM{30};
    std::int16_t F21_IO = 0;
    std::int16_t F21_CSH = 0;
    Currency F21_FIL;
    std::array<Currency, 13> F21_AMT{}; // fiscal months 1 to 12
    Currency F21_REM;
    FixedText F21_DUM{15};
};

struct F28Rec {
    std::int16_t F28_KBN = 0;
    std::int32_t F28_ACT = 0;
    std::int32_t F28_SEQ = 0;
    FixedText F28_NAM{30};
    std::int32_t F28_DAT = 0;
    std::int16_t F28_NEN = 0;
    Currency F28_AMT;
    float F28_PCT = 0;
    std::int16_t F28_KND = 0;
    std::int16_t F28_SHU = 0;
    Currency F28_LMT;
    FixedText F28_DUM{15};
};

struct F45Rec {
    std::int32_t F45_YMD = 0;
    std::int32_t F45_DNO = 0;
    std::int16_t F45_LIN = 0;
    std::int16_t F45_KBN = 0;
    std::int32_t F45_ACT = 0;
    std::int32_t F45_SRT = 0;
    std::int16_t F45_KND = 0;
    std::int32_t F45_CUS = 0;
    FixedText F45_TEK{6};
    FixedText F45_RMK{30};
    std::int16_t F45_IO = 0;
    Currency F45_AMT;
    FixedText F45_DUM{15};
};

struct F46Rec {
    std::int16_t F46_RNO = 0;
    Currency F46_RM1;
    FixedText F46_GAMT1{120};
    FixedText F46_GAMT2{120};
    FixedText F46_GAMT3{120};
    // Amt[k][m]: k 1 receipts, 2 payments, 3 balance after fiscal month m (1 to 12).
    std::array<std::array<Currency, 13>, 4> Amt{};
    Currency F46_RM2;
    FixedText F46_DUM{15};
};

// YM stands before SEQ here, unlike the table.
struct F50Rec {
    std::int16_t F50_KBN = 0;
    std::int32_t F50_ACT = 0;
    std::int32_t F50_YM = 0;
    std::int32_t F50_SEQ = 0;
    std::int16_t F50_STS = 0;
    Currency F50_OPN;
    Currency F50_GRS;
    std::int16_t F50_MTH = 0;
    float F50_PCT = 0;
    Currency F50_CAL;
    Currency F50_CLS;
    FixedText F50_DUM{15};
};

// The code categories in memory: rows 0 (headings) to 20, columns 0 (unused) to 4.
using CodeKbnTableType = std::array<std::array<std::string, 5>, 21>;

} // namespace data
