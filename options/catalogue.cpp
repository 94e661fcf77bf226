#include "options/catalogue.h"

// Row fields in the order of ComponentEntry; the file names stay zero-filled to
// 260 characters because the rows are written byte for byte into "avaldata.dat".
// GDI character sets by number: 1 DEFAULT, 128 SHIFTJIS, 129 HANGUL,
// 136 CHINESEBIG5, 162 TURKISH, 178 ARABIC, 204 RUSSIAN, 222 THAI, 238 EASTEUROPE.
const ComponentEntry ComponentCatalogue[kTranslationRows] = {
    {0, 0, 0, "ALBANIAN.TX_", "Albanian", 1, 2700, 0x1C, 1, 468571},
    {1, 1, 0, "ARABIC.TX_", "Arabic", 178, 2701, 0x01, 1, 400574},
    {2, 1, 0, "ARABIC_NO_TASHKIL.TX_", "Arabic (No Tashkil)", 178, 2701, 0x01, 1, 281507},
    {3, 0, 0, "AZERBAIJANI.TX_", "Azerbaijanian", 178, 2702, 0x01, 1, 631243},
    {4, 0, 0, "BOSNIAN.TX_", "Bosnian", 238, 2703, 0x1A, 1, 403024},
    {5, 0, 0, "PORTUGUESE.TX_", "Brasilian[Portuguese]", 1, 2704, 0x16, 1, 425496},
    {6, 0, 0, "CHINESSE.TX_", "Chinesse", 136, 2705, 0x04, 2, 510593},
    {7, 0, 0, "BOSNIAN.TX_", "Croatian[Bosnian]", 238, 2727, 0x1A, 1, 403024},
    {8, 0, 0, "DUTCH.TX_", "Dutch", 1, 2706, 0x13, 1, 417139},
    {9, 0, 0, "ENGLISH_FROM_WEB.TX_", "English (From: Web)", 1, 2707, 0x09, 1, 385677},
    {10, 0, 0, "ENGLISH_B.TX_", "English (B)", 1, 2726, 0x09, 1, 407942},
    {11, 0, 0, "ENGLISH_C.TX_", "English (C)", 1, 2707, 0x09, 1, 385395},
    {12, 0, 0, "ENGLISH_TRANSLITERATION.TX_", "English (Transliteration)", 1, 2707, 0x09, 1, 366431},
    {13, 0, 0, "ENGLISH_US_VERSION.TX_", "English (US Version)", 1, 2707, 0x09, 1, 579364},
    {14, 0, 0, "ENGLISH_D.TX_", "English (D)", 1, 2726, 0x09, 1, 470508},
    {15, 0, 0, "FINNISH.TX_", "Finnish", 1, 2708, 0x0B, 1, 458916},
    {16, 0, 0, "FRENCH.TX_", "French", 1, 2709, 0x0C, 1, 458664},
    {17, 0, 0, "GERMAN.TX_", "German", 1, 2710, 0x07, 1, 450664},
    {18, 0, 0, "INDONESIAN.TX_", "Indonesian", 1, 2711, 0x21, 1, 458573},
    {19, 0, 0, "ITALIAN.TX_", "Italian", 1, 2712, 0x10, 1, 411983},
    {20, 0, 0, "CHINESSE.TX_", "Japanese[Chinesse]", 128, 2713, 0x11, 1, 510593},
    {21, 0, 0, "KOREAN.TX_", "Korean", 129, 2714, 0x12, 1, 444127},
    {22, 0, 0, "LATIN.TX_", "Arabic Latin", 162, 2701, 0x2D, 2, 305056},
    {23, 0, 0, "MALAYSIAN.TX_", "Malaysian", 1, 2715, 0x21, 1, 598571},
    {24, 0, 0, "MEXICAN.TX_", "Mexican", 1, 2716, 0x0A, 2, 394646},
    {25, 1, 0, "PERSIAN.TX_", "Persian", 178, 2717, 0x01, 2, 523627},
    {26, 0, 0, "POLISH.TX_", "Polish", 238, 2718, 0x15, 1, 418233},
    {27, 0, 0, "PORTUGUESE.TX_", "Portuguese", 1, 2719, 0x16, 2, 425496},
    {28, 0, 0, "RUSSIAN.TX_", "Russian", 204, 2720, 0x19, 1, 506033},
    {29, 0, 0, "BOSNIAN.TX_", "Serbian[Bosnian]", 238, 2728, 0x1A, 1, 403024},
    {30, 0, 0, "SPANISH.TX_", "Spanish", 1, 2722, 0x0A, 1, 394403},
    {31, 0, 0, "SWAHILLI.TX_", "Swahilli", 1, 2721, 0x36, 1, 367481},
    {32, 0, 0, "TAMIL.TX_", "Tamil", 178, 2723, 0x1E, 1, 789609},
    {33, 0, 0, "THAI.TX_", "Thai", 222, 2724, 0x1E, 1, 695197},
    {34, 0, 0, "TURKISH_A.TX_", "Turkish (Translation A)", 162, 2725, 0x1F, 1, 469339},
};

const int32_t AliasRows[kAliasCount] = {5, 7, 20, 29};
const int32_t AliasTargets[kAliasCount] = {27, 4, 6, 4};

int IsAliasRow(int row)
{
    for (int32_t alias : AliasRows)
        if (alias == row)
            return 1;
    return 0;
}

// Byte sizes of the shipped recitations, by index (file number - 1). Entry 0 is
// "sound\001.mp3" of the payload; entries 1-113 are the records of "mp3data.gz"
// in order. The sample recitations are generated from this table, so it is the
// one place these sizes are written down.
// clang-format off
const uint32_t RecitationSizes[kRecitationCount] = {
    /*   0 */ 172118, 13407752, 13121121, 14550646, 10686736, 12492219, 13007313, 5797265,
    /*   8 */ 10532035, 6480159, 7318109, 7653829, 3016950, 3697932, 2783614, 8470259,
    /*  16 */ 5719590, 6749933, 4002892, 5682818, 5518856, 4794859, 4477185, 4304262,
    /*  24 */ 4428121, 5064659, 4522321, 5504545, 4122220, 3619463, 2084994, 1673573,
    /*  32 */ 5029162, 3311652, 3240514, 3490388, 4016445, 2525682, 4869570, 4916530,
    /*  40 */ 3345956, 3243026, 3585986, 1510329, 1668333, 2481169, 1972255, 2065429,
    /*  48 */ 1483020, 1061164, 1487350, 1586860, 1109639, 1584359, 1495710, 1492488,
    /*  56 */ 2874596, 1754222, 1969138, 1148615, 1142404, 958335, 957239, 1003395,
    /*  64 */ 1193481, 1179286, 1171781, 1017361, 1194628, 1021638, 1209119, 1093999,
    /*  72 */ 693449, 1114522, 751367, 1094849, 1109980, 744018, 1151085, 796052,
    /*  80 */ 790067, 795575, 1011131, 701946, 323419, 253301, 291657, 396854,
    /*  88 */ 439373, 299997, 226265, 294377, 182774, 140439, 145998, 273723,
    /*  96 */ 102613, 131041, 138018, 183478, 187603, 142998, 73214, 158998,
    /* 104 */ 95657, 81656, 122743, 60837, 107992, 73626, 91915, 87372,
    /* 112 */ 91348, 97512,
};
// clang-format on

uint32_t RecitationArchiveBytes()
{
    const uint32_t header = 1 + sizeof "sound\\001.mp3" - 1 + 4;
    uint32_t total = 0;
    for (int k = 1; k < kRecitationCount; ++k)
        total += header + RecitationSizes[k];
    return total;
}
