#pragma once

#include <QString>

#include <array>

// The spellings of kana that a mainstream Japanese input method takes and
// the judge's table does not name, each with the kana it types.
namespace ImeSpellings
{
    struct Spelling
    {
        const char16_t *keys;
        const char16_t *kana;
    };

    inline constexpr std::array<Spelling, 44> All = {{
        {u"xtsu", u"っ"}, {u"ltsu", u"っ"},
        {u"wwi", u"っうぃ"}, {u"wwu", u"っう"}, {u"wwe", u"っうぇ"}, {u"wwha", u"っうぁ"}, {u"wwhi", u"っうぃ"},
        {u"wwhu", u"っう"}, {u"wwhe", u"っうぇ"}, {u"wwho", u"っうぉ"}, {u"wwyi", u"っゐ"}, {u"wwye", u"っゑ"},
        {u"n'", u"ん"},
        {u"t'i", u"てぃ"}, {u"d'i", u"でぃ"}, {u"t'u", u"とぅ"}, {u"d'u", u"どぅ"}, {u"t'yu", u"てゅ"}, {u"d'yu", u"でゅ"},
        {u"hwa", u"ふぁ"}, {u"hwi", u"ふぃ"}, {u"hwe", u"ふぇ"}, {u"hwo", u"ふぉ"}, {u"hwyu", u"ふゅ"},
        {u"kwi", u"くぃ"}, {u"kwe", u"くぇ"}, {u"kwo", u"くぉ"},
        {u"lyi", u"ぃ"}, {u"xyi", u"ぃ"}, {u"lye", u"ぇ"}, {u"xye", u"ぇ"}, {u"wyi", u"ゐ"}, {u"wye", u"ゑ"},
        {u"vu", u"ゔ"}, {u"va", u"ゔぁ"}, {u"vi", u"ゔぃ"}, {u"ve", u"ゔぇ"}, {u"vo", u"ゔぉ"}, {u"vya", u"ゔゃ"},
        {u"vyi", u"ゔぃ"}, {u"vyu", u"ゔゅ"}, {u"vye", u"ゔぇ"}, {u"vyo", u"ゔょ"}, {u"vva", u"っゔぁ"},
    }};
}
