#include "judgetable.h"

std::array<JudgeTableSet::JudgeRow, JudgeTableSet::UnitCount> JudgeTableSet::JudgeTable;

namespace
{
    struct RowData
    {
        const char16_t *unit;
        const char16_t *kanaKeys;
        std::array<const char16_t *, 3> spellings;
        bool selectable;
    };

    // One line per row, in table order: unit, kana keys, spellings, selectable.
    const RowData Rows[JudgeTableSet::JudgeRowCount] = {
        {u"あ", u"ｱ", {u"a"}, false}, // 0
        {u"い", u"ｲ", {u"i", u"yi"}, false}, // 1
        {u"う", u"ｳ", {u"u", u"wu", u"whu"}, false}, // 2
        {u"え", u"ｴ", {u"e"}, false}, // 3
        {u"お", u"ｵ", {u"o"}, false}, // 4
        {u"か", u"ｶ", {u"ka", u"ca"}, true}, // 5
        {u"き", u"ｷ", {u"ki"}, false}, // 6
        {u"く", u"ｸ", {u"ku", u"cu", u"qu"}, true}, // 7
        {u"け", u"ｹ", {u"ke"}, false}, // 8
        {u"こ", u"ｺ", {u"ko", u"co"}, true}, // 9
        {u"さ", u"ｻ", {u"sa"}, false}, // 10
        {u"し", u"ｼ", {u"si", u"shi", u"ci"}, true}, // 11
        {u"す", u"ｽ", {u"su"}, false}, // 12
        {u"せ", u"ｾ", {u"se", u"ce"}, true}, // 13
        {u"そ", u"ｿ", {u"so"}, false}, // 14
        {u"た", u"ﾀ", {u"ta"}, false}, // 15
        {u"ち", u"ﾁ", {u"ti", u"chi"}, true}, // 16
        {u"つ", u"ﾂ", {u"tu", u"tsu"}, true}, // 17
        {u"て", u"ﾃ", {u"te"}, false}, // 18
        {u"と", u"ﾄ", {u"to"}, false}, // 19
        {u"な", u"ﾅ", {u"na"}, false}, // 20
        {u"に", u"ﾆ", {u"ni"}, false}, // 21
        {u"ぬ", u"ﾇ", {u"nu"}, false}, // 22
        {u"ね", u"ﾈ", {u"ne"}, false}, // 23
        {u"の", u"ﾉ", {u"no"}, false}, // 24
        {u"は", u"ﾊ", {u"ha"}, false}, // 25
        {u"ひ", u"ﾋ", {u"hi"}, false}, // 26
        {u"ふ", u"ﾌ", {u"fu", u"hu"}, true}, // 27
        {u"へ", u"ﾍ", {u"he"}, false}, // 28
        {u"ほ", u"ﾎ", {u"ho"}, false}, // 29
        {u"ま", u"ﾏ", {u"ma"}, false}, // 30
        {u"み", u"ﾐ", {u"mi"}, false}, // 31
        {u"む", u"ﾑ", {u"mu"}, false}, // 32
        {u"め", u"ﾒ", {u"me"}, false}, // 33
        {u"も", u"ﾓ", {u"mo"}, false}, // 34
        {u"や", u"ﾔ", {u"ya"}, false}, // 35
        {u"ゆ", u"ﾕ", {u"yu"}, false}, // 36
        {u"よ", u"ﾖ", {u"yo"}, false}, // 37
        {u"ら", u"ﾗ", {u"ra"}, false}, // 38
        {u"り", u"ﾘ", {u"ri"}, false}, // 39
        {u"る", u"ﾙ", {u"ru"}, false}, // 40
        {u"れ", u"ﾚ", {u"re"}, false}, // 41
        {u"ろ", u"ﾛ", {u"ro"}, false}, // 42
        {u"わ", u"ﾜ", {u"wa"}, false}, // 43
        {u"を", u"ｦ", {u"wo"}, false}, // 44
        {u"ん", u"ﾝ", {u"|", u"nn", u"xn"}, true}, // 45
        {u"が", u"ｶﾞ", {u"ga"}, false}, // 46
        {u"ぎ", u"ｷﾞ", {u"gi"}, false}, // 47
        {u"ぐ", u"ｸﾞ", {u"gu"}, false}, // 48
        {u"げ", u"ｹﾞ", {u"ge"}, false}, // 49
        {u"ご", u"ｺﾞ", {u"go"}, false}, // 50
        {u"ざ", u"ｻﾞ", {u"za"}, false}, // 51
        {u"じ", u"ｼﾞ", {u"ji", u"zi"}, true}, // 52
        {u"ず", u"ｽﾞ", {u"zu"}, false}, // 53
        {u"ぜ", u"ｾﾞ", {u"ze"}, false}, // 54
        {u"ぞ", u"ｿﾞ", {u"zo"}, false}, // 55
        {u"だ", u"ﾀﾞ", {u"da"}, false}, // 56
        {u"ぢ", u"ﾁﾞ", {u"di"}, false}, // 57
        {u"づ", u"ﾂﾞ", {u"du"}, false}, // 58
        {u"で", u"ﾃﾞ", {u"de"}, false}, // 59
        {u"ど", u"ﾄﾞ", {u"do"}, false}, // 60
        {u"ば", u"ﾊﾞ", {u"ba"}, false}, // 61
        {u"び", u"ﾋﾞ", {u"bi"}, false}, // 62
        {u"ぶ", u"ﾌﾞ", {u"bu"}, false}, // 63
        {u"べ", u"ﾍﾞ", {u"be"}, false}, // 64
        {u"ぼ", u"ﾎﾞ", {u"bo"}, false}, // 65
        {u"ぱ", u"ﾊﾟ", {u"pa"}, false}, // 66
        {u"ぴ", u"ﾋﾟ", {u"pi"}, false}, // 67
        {u"ぷ", u"ﾌﾟ", {u"pu"}, false}, // 68
        {u"ぺ", u"ﾍﾟ", {u"pe"}, false}, // 69
        {u"ぽ", u"ﾎﾟ", {u"po"}, false}, // 70
        {u"ぁ", u"ｧ", {u"xa", u"la"}, true}, // 71
        {u"ぃ", u"ｨ", {u"xi", u"li"}, true}, // 72
        {u"ぅ", u"ｩ", {u"xu", u"lu"}, true}, // 73
        {u"ぇ", u"ｪ", {u"xe", u"le"}, true}, // 74
        {u"ぉ", u"ｫ", {u"xo", u"lo"}, true}, // 75
        {u"ゃ", u"ｬ", {u"xya", u"lya"}, true}, // 76
        {u"ゅ", u"ｭ", {u"xyu", u"lyu"}, true}, // 77
        {u"ょ", u"ｮ", {u"xyo", u"lyo"}, true}, // 78
        {u"っ", u"ｯ", {u"~", u"xtu", u"ltu"}, true}, // 79
        {u"ゎ", u"", {u"xwa", u"lwa"}, true}, // 80
        {u"ヵ", u"", {u"xka", u"lka"}, true}, // 81
        {u"ヶ", u"", {u"xke", u"lke"}, true}, // 82
        {u"ヴ", u"ｳﾞ", {u"vu"}, false}, // 83
        {u"ー", u"ｰ", {u"-"}, false}, // 84
        {u"、", u"､", {u","}, false}, // 85
        {u"。", u"｡", {u"."}, false}, // 86
        {u"「", u"｢", {u"["}, false}, // 87
        {u"」", u"｣", {u"]"}, false}, // 88
        {u"・", u"･", {u"/"}, false}, // 89
        {u"きゃ", u"", {u"kya"}, false}, // 90
        {u"きぃ", u"", {u"kyi"}, false}, // 91
        {u"きゅ", u"", {u"kyu"}, false}, // 92
        {u"きぇ", u"", {u"kye"}, false}, // 93
        {u"きょ", u"", {u"kyo"}, false}, // 94
        {u"しゃ", u"", {u"sya", u"sha"}, true}, // 95
        {u"しぃ", u"", {u"syi"}, false}, // 96
        {u"しゅ", u"", {u"syu", u"shu"}, true}, // 97
        {u"しぇ", u"", {u"sye", u"she"}, true}, // 98
        {u"しょ", u"", {u"syo", u"sho"}, true}, // 99
        {u"ちゃ", u"", {u"tya", u"cya", u"cha"}, true}, // 100
        {u"ちぃ", u"", {u"tyi", u"cyi"}, true}, // 101
        {u"ちゅ", u"", {u"tyu", u"cyu", u"chu"}, true}, // 102
        {u"ちぇ", u"", {u"tye", u"cye", u"che"}, true}, // 103
        {u"ちょ", u"", {u"tyo", u"cyo", u"cho"}, true}, // 104
        {u"てゃ", u"", {u"tha"}, false}, // 105
        {u"てぃ", u"", {u"thi"}, false}, // 106
        {u"てゅ", u"", {u"thu"}, false}, // 107
        {u"てぇ", u"", {u"the"}, false}, // 108
        {u"てょ", u"", {u"tho"}, false}, // 109
        {u"にゃ", u"", {u"nya"}, false}, // 110
        {u"にぃ", u"", {u"nyi"}, false}, // 111
        {u"にゅ", u"", {u"nyu"}, false}, // 112
        {u"にぇ", u"", {u"nye"}, false}, // 113
        {u"にょ", u"", {u"nyo"}, false}, // 114
        {u"ひゃ", u"", {u"hya"}, false}, // 115
        {u"ひぃ", u"", {u"hyi"}, false}, // 116
        {u"ひゅ", u"", {u"hyu"}, false}, // 117
        {u"ひぇ", u"", {u"hye"}, false}, // 118
        {u"ひょ", u"", {u"hyo"}, false}, // 119
        {u"ふぁ", u"", {u"fa", u"fwa"}, true}, // 120
        {u"ふぃ", u"", {u"fi", u"fwi", u"fyi"}, true}, // 121
        {u"ふぅ", u"", {u"fwu"}, false}, // 122
        {u"ふぇ", u"", {u"fe", u"fwe", u"fye"}, true}, // 123
        {u"ふぉ", u"", {u"fo", u"fwo"}, true}, // 124
        {u"ふゃ", u"", {u"fya"}, false}, // 125
        {u"ふゅ", u"", {u"fyu"}, false}, // 126
        {u"ふょ", u"", {u"fyo"}, false}, // 127
        {u"みゃ", u"", {u"mya"}, false}, // 128
        {u"みぃ", u"", {u"myi"}, false}, // 129
        {u"みゅ", u"", {u"myu"}, false}, // 130
        {u"みぇ", u"", {u"mye"}, false}, // 131
        {u"みょ", u"", {u"myo"}, false}, // 132
        {u"りゃ", u"", {u"rya"}, false}, // 133
        {u"りぃ", u"", {u"ryi"}, false}, // 134
        {u"りゅ", u"", {u"ryu"}, false}, // 135
        {u"りぇ", u"", {u"rye"}, false}, // 136
        {u"りょ", u"", {u"ryo"}, false}, // 137
        {u"ぎゃ", u"", {u"gya"}, false}, // 138
        {u"ぎぃ", u"", {u"gyi"}, false}, // 139
        {u"ぎゅ", u"", {u"gyu"}, false}, // 140
        {u"ぎぇ", u"", {u"gye"}, false}, // 141
        {u"ぎょ", u"", {u"gyo"}, false}, // 142
        {u"じゃ", u"", {u"ja", u"jya", u"zya"}, true}, // 143
        {u"じぃ", u"", {u"jyi", u"zyi"}, true}, // 144
        {u"じゅ", u"", {u"ju", u"jyu", u"zyu"}, true}, // 145
        {u"じぇ", u"", {u"je", u"jye", u"zye"}, true}, // 146
        {u"じょ", u"", {u"jo", u"jyo", u"zyo"}, true}, // 147
        {u"ぢゃ", u"", {u"dya"}, false}, // 148
        {u"ぢぃ", u"", {u"dyi"}, false}, // 149
        {u"ぢゅ", u"", {u"dyu"}, false}, // 150
        {u"ぢぇ", u"", {u"dye"}, false}, // 151
        {u"ぢょ", u"", {u"dyo"}, false}, // 152
        {u"でゃ", u"", {u"dha"}, false}, // 153
        {u"でぃ", u"", {u"dhi"}, false}, // 154
        {u"でゅ", u"", {u"dhu"}, false}, // 155
        {u"でぇ", u"", {u"dhe"}, false}, // 156
        {u"でょ", u"", {u"dho"}, false}, // 157
        {u"びゃ", u"", {u"bya"}, false}, // 158
        {u"びぃ", u"", {u"byi"}, false}, // 159
        {u"びゅ", u"", {u"byu"}, false}, // 160
        {u"びぇ", u"", {u"bye"}, false}, // 161
        {u"びょ", u"", {u"byo"}, false}, // 162
        {u"ぴゃ", u"", {u"pya"}, false}, // 163
        {u"ぴぃ", u"", {u"pyi"}, false}, // 164
        {u"ぴゅ", u"", {u"pyu"}, false}, // 165
        {u"ぴぇ", u"", {u"pye"}, false}, // 166
        {u"ぴょ", u"", {u"pyo"}, false}, // 167
        {u"ヴぁ", u"", {u"va"}, false}, // 168
        {u"ヴぃ", u"", {u"vi", u"vyi"}, true}, // 169
        {u"ヴぇ", u"", {u"ve", u"vye"}, true}, // 170
        {u"ヴぉ", u"", {u"vo"}, false}, // 171
        {u"くぁ", u"", {u"qa", u"kwa", u"qwa"}, true}, // 172
        {u"くぃ", u"", {u"qi", u"qwi", u"qyi"}, true}, // 173
        {u"くぅ", u"", {u"qwu"}, false}, // 174
        {u"くぇ", u"", {u"qe", u"qwe", u"qye"}, true}, // 175
        {u"くぉ", u"", {u"qo", u"qwo"}, true}, // 176
        {u"くゃ", u"", {u"qya"}, false}, // 177
        {u"くゅ", u"", {u"qyu"}, false}, // 178
        {u"くょ", u"", {u"qyo"}, false}, // 179
        {u"すぁ", u"", {u"swa"}, false}, // 180
        {u"すぃ", u"", {u"syi"}, false}, // 181
        {u"すぅ", u"", {u"swu"}, false}, // 182
        {u"すぇ", u"", {u"swe"}, false}, // 183
        {u"すぉ", u"", {u"swo"}, false}, // 184
        {u"つぁ", u"", {u"tsa"}, false}, // 185
        {u"つぃ", u"", {u"tsi"}, false}, // 186
        {u"つぇ", u"", {u"tse"}, false}, // 187
        {u"つぉ", u"", {u"tso"}, false}, // 188
        {u"とぁ", u"", {u"twa"}, false}, // 189
        {u"とぃ", u"", {u"twi"}, false}, // 190
        {u"とぅ", u"", {u"twu"}, false}, // 191
        {u"とぇ", u"", {u"twe"}, false}, // 192
        {u"とぉ", u"", {u"two"}, false}, // 193
        {u"ぐぁ", u"", {u"gwa"}, false}, // 194
        {u"ぐぃ", u"", {u"gwi"}, false}, // 195
        {u"ぐぅ", u"", {u"gwu"}, false}, // 196
        {u"ぐぇ", u"", {u"gwe"}, false}, // 197
        {u"ぐぉ", u"", {u"gwo"}, false}, // 198
        {u"どぁ", u"", {u"dwa"}, false}, // 199
        {u"どぃ", u"", {u"dwi"}, false}, // 200
        {u"どぅ", u"", {u"dwu"}, false}, // 201
        {u"どぇ", u"", {u"dwe"}, false}, // 202
        {u"どぉ", u"", {u"dwo"}, false}, // 203
        {u"ヴゃ", u"", {u"vya"}, false}, // 204
        {u"ヴゅ", u"", {u"vyu"}, false}, // 205
        {u"ヴょ", u"", {u"vyo"}, false}, // 206
        {u"いぇ", u"", {u"ye"}, false}, // 207
        {u"うぁ", u"", {u"wha"}, false}, // 208
        {u"うぃ", u"", {u"wi", u"whi"}, true}, // 209
        {u"うぇ", u"", {u"we", u"whe"}, true}, // 210
        {u"うぉ", u"", {u"who"}, false}, // 211
    };

    // Units that input methods type and the table lacks. ゔ and its
    // combinations are typed, on both keyboards, like the ヴ rows.
    const RowData AddedRows[JudgeTableSet::AddedRowCount] = {
        {u"ゔ", u"ｳﾞ", {u"vu"}, false}, // 212
        {u"ゔぁ", u"", {u"va"}, false}, // 213
        {u"ゔぃ", u"", {u"vi", u"vyi"}, false}, // 214
        {u"ゔぇ", u"", {u"ve", u"vye"}, false}, // 215
        {u"ゔぉ", u"", {u"vo"}, false}, // 216
        {u"ゔゃ", u"", {u"vya"}, false}, // 217
        {u"ゔゅ", u"", {u"vyu"}, false}, // 218
        {u"ゔょ", u"", {u"vyo"}, false}, // 219
        {u"ゐ", u"", {u"wyi"}, false}, // 220
        {u"ゑ", u"", {u"wye"}, false}, // 221
    };

    const RowData &rowData(int row)
    {
        return row < JudgeTableSet::JudgeRowCount ? Rows[row] : AddedRows[row - JudgeTableSet::JudgeRowCount];
    }

    // The spellings of a mainstream input method's romaji table that the
    // table's columns lack.
    struct MoreData
    {
        const char16_t *unit;
        std::array<const char16_t *, 2> spellings;
    };

    const MoreData More[] = {
        {u"ん", {u"n'"}},
        {u"ぃ", {u"lyi", u"xyi"}},
        {u"ぇ", {u"lye", u"xye"}},
        {u"っ", {u"xtsu", u"ltsu"}},
        {u"てぃ", {u"t'i"}},
        {u"てゅ", {u"t'yu"}},
        {u"ふぁ", {u"hwa"}},
        {u"ふぃ", {u"hwi"}},
        {u"ふぇ", {u"hwe"}},
        {u"ふぉ", {u"hwo"}},
        {u"ふゅ", {u"hwyu"}},
        {u"でぃ", {u"d'i"}},
        {u"でゅ", {u"d'yu"}},
        {u"くぃ", {u"kwi"}},
        {u"くぇ", {u"kwe"}},
        {u"くぉ", {u"kwo"}},
        {u"とぅ", {u"t'u"}},
        {u"どぅ", {u"d'u"}},
    };

    QString fromStatic(const char16_t *text)
    {
        if (!text)
            return {};
        // The rows live for the whole run, so the table can share them.
        return QString::fromRawData(reinterpret_cast<const QChar *>(text), std::char_traits<char16_t>::length(text));
    }

    // Every unit of the table is in the kana block U+3000..U+30FF, and every
    // two-kana unit ends in one of eight small kana, so flat arrays index them.
    constexpr char16_t BlockStart = 0x3000;
    constexpr int BlockSize = 0x100;
    constexpr QStringView SmallKana = u"ぁぃぅぇぉゃゅょ";

    int blockIndex(QChar c)
    {
        const int index = c.unicode() - BlockStart;
        return index >= 0 && index < BlockSize ? index : -1;
    }

    int smallKanaIndex(QChar c)
    {
        static const auto indexes = [] {
            std::array<qint8, BlockSize> map;
            map.fill(-1);
            for (qsizetype i = 0; i < SmallKana.size(); ++i)
                map[blockIndex(SmallKana[i])] = qint8(i);
            return map;
        }();
        const int index = blockIndex(c);
        return index < 0 ? -1 : indexes[index];
    }

    // Unit to first row. The judge looks units up on every key, and a search
    // over 212 rows would dominate; the units never change after the table is
    // built, and a hit is checked against the row anyway.
    class RowIndex
    {
    public:
        int find(QStringView unit)
        {
            if (!m_built)
                rebuild();
            const int row = indexed(unit);
            if (row == Unindexed)
                return m_hasUnindexedRows ? linearFind(unit) : -1;
            if (row >= 0 && JudgeTableSet::JudgeTable[row].Unit != unit)
            {
                rebuild();
                return indexed(unit);
            }
            return row;
        }

        void rebuild()
        {
            m_single.fill(-1);
            for (auto &pairs : m_pair)
                pairs.fill(-1);
            m_hasUnindexedRows = false;
            // Descending, so the first row of a unit wins.
            for (int row = JudgeTableSet::UnitCount - 1; row >= 0; --row)
            {
                if (qint16 *slot = slotOf(JudgeTableSet::JudgeTable[row].Unit))
                    *slot = qint16(row);
                else
                    m_hasUnindexedRows = true;
            }
            m_built = true;
        }

    private:
        static constexpr int Unindexed = -2;

        qint16 *slotOf(QStringView unit)
        {
            if (unit.isEmpty() || unit.size() > 2)
                return nullptr;
            const int first = blockIndex(unit[0]);
            if (first < 0)
                return nullptr;
            if (unit.size() == 1)
                return &m_single[first];
            const int second = smallKanaIndex(unit[1]);
            return second < 0 ? nullptr : &m_pair[first][second];
        }

        // The row, -1 for none, or Unindexed for a unit the arrays cannot hold.
        int indexed(QStringView unit)
        {
            const qint16 *slot = slotOf(unit);
            return slot ? *slot : Unindexed;
        }

        static int linearFind(QStringView unit)
        {
            for (int row = 0; row < JudgeTableSet::UnitCount; ++row)
            {
                if (JudgeTableSet::JudgeTable[row].Unit == unit)
                    return row;
            }
            return -1;
        }

        std::array<qint16, BlockSize> m_single {};
        std::array<std::array<qint16, 8>, BlockSize> m_pair {};
        bool m_built = false;
        bool m_hasUnindexedRows = false;
    };

    RowIndex &rowIndex()
    {
        static RowIndex index;
        return index;
    }
}

void JudgeTableSet::BuildJudgeTable()
{
    for (int row = 0; row < UnitCount; ++row)
    {
        const RowData &data = rowData(row);
        JudgeRow &target = JudgeTable[row];
        target.Unit = fromStatic(data.unit);
        target.KanaKeys = fromStatic(data.kanaKeys);
        for (int column = 0; column < 3; ++column)
            target.Spellings[column] = fromStatic(data.spellings[column]);
        target.Selectable = data.selectable ? QStringLiteral("1") : QString();
    }
    rowIndex().rebuild();
}

int JudgeTableSet::findRow(QStringView unit)
{
    return rowIndex().find(unit);
}

bool JudgeTableSet::isMarker(QStringView spelling)
{
    return spelling == NMarker || spelling == DoubleMarker;
}

namespace
{
    // The row of a unit as built, whatever the live table holds.
    int builtRow(QStringView unit)
    {
        for (int row = 0; row < JudgeTableSet::UnitCount; ++row)
        {
            if (unit == QStringView(rowData(row).unit))
                return row;
        }
        return -1;
    }
}

const std::array<QStringView, 2> &JudgeTableSet::moreSpellings(int row)
{
    static const auto byRow = [] {
        std::array<std::array<QStringView, 2>, UnitCount> spellings {};
        for (const MoreData &more : More)
        {
            auto &slot = spellings[builtRow(more.unit)];
            for (std::size_t i = 0; i < slot.size(); ++i)
                slot[i] = more.spellings[i] ? QStringView(more.spellings[i]) : QStringView();
        }
        return spellings;
    }();
    static const std::array<QStringView, 2> none {};
    return row >= 0 && row < UnitCount ? byRow[row] : none;
}

int JudgeTableSet::twinRow(int row)
{
    static const auto twins = [] {
        std::array<int, UnitCount> rows;
        rows.fill(-1);
        for (int added = JudgeRowCount; added < UnitCount; ++added)
        {
            QString unit = QString::fromUtf16(rowData(added).unit);
            if (unit.front() != u'ゔ')
                continue;
            unit.front() = u'ヴ';
            rows[added] = builtRow(unit);
        }
        return rows;
    }();
    return row >= 0 && row < UnitCount ? twins[row] : -1;
}
