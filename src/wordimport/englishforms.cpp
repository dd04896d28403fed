#include "englishforms.h"

#include <QHash>
#include <QSet>

namespace
{
    // Each line: the base, then its irregular forms. Forms that are as often
    // words of their own are left out: left (leave), saw (see), lay (lie),
    // rose (rise), ground (grind), wound (wind), bound (bind), bore (bear),
    // bit (bite).
    const char IrregularForms[] = R"(arise arose arisen
awake awoke awoken
beat beaten
become became
begin began begun
bend bent
bleed bled
blow blew blown
break broke broken
breed bred
bring brought
build built
burn burnt
buy bought
catch caught
choose chose chosen
cling clung
come came
creep crept
deal dealt
dig dug
draw drew drawn
dream dreamt
drink drank drunk
drive drove driven
eat ate eaten
fall fell fallen
feed fed
feel felt
fight fought
find found
flee fled
fly flew flown flies
forbid forbade forbidden
forget forgot forgotten
forgive forgave forgiven
freeze froze frozen
get got gotten
give gave given
go went gone goes
grow grew grown
hang hung
hear heard
hide hid hidden
hold held
keep kept
kneel knelt
know knew known
lay laid
lead led
lean leant
leap leapt
learn learnt
lend lent
lie lain
light lit
lose lost
make made
mean meant
meet met
mistake mistook mistaken
overcome overcame
pay paid
prove proven
ride rode ridden
ring rang rung
rise risen
run ran
say said says
seek sought
sell sold
send sent
sew sewn
shake shook shaken
shine shone
shoot shot
show shown
shrink shrank shrunk
sing sang sung
sink sank sunk
sit sat
sleep slept
slide slid
speak spoke spoken
speed sped
spell spelt
spend spent
spin spun
spit spat
spring sprang sprung
stand stood
steal stole stolen
stick stuck
sting stung
stink stank stunk
strike struck stricken
string strung
swear swore sworn
sweep swept
swim swam swum
swing swung
take took taken
teach taught
tear tore torn
tell told
think thought
throw threw thrown
undergo underwent undergone
understand understood
wake woke woken
wear wore worn
weave wove woven
weep wept
win won
withdraw withdrew withdrawn
write wrote written
man men
woman women
child children
foot feet
tooth teeth
mouse mice
goose geese
ox oxen
knife knives
wife wives
half halves
wolf wolves
shelf shelves
thief thieves
loaf loaves
calf calves
crisis crises
analysis analyses
thesis theses
phenomenon phenomena
criterion criteria
good better best
bad worse worst
far further furthest farther farthest)";

    const char OwnWords[] = "glasses news clothes pants jeans scissors shorts goods stairs species series means "
                            "physics mathematics economics politics ethics athletics statistics trousers";

    // Those sections of the standard bank's exclusion table that name grammar,
    // with the subject pronouns and the pieces contractions leave.
    const char GrammarWords[] =
        "a the an of to and or but if as at by for from in into on onto with without within "
        "about above over under up out off than because since till until while whether "
        "though although unless nor not per via upon among against toward towards beside "
        "through across along around away "
        "is am are was were be been being do does did done doing have has had having "
        "can could will would shall should may might must ought "
        "it its him her them us my your his our their mine yours hers ours theirs "
        "himself herself itself themselves ourselves myself yourself yourselves "
        "i me he she we they "
        "so too just even yet ever also some any all each every both either "
        "neither such most much few less least only else anyway maybe perhaps well then whose whom "
        "more "
        "don won didn doesn isn aren wasn weren hasn haven hadn couldn wouldn shouldn "
        "mustn needn ain ll ve re em gonna wanna gotta ya yo huh uh um oh hmm ah eh ok "
        "okay yeah hey hi bye thanks "
        "st nd rd th etc vs mr mrs ms dr jr sr";

    const char NumberWords[] =
        "zero one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen "
        "sixteen seventeen eighteen nineteen twenty thirty forty fifty sixty seventy eighty ninety "
        "hundred thousand million billion trillion hundreds thousands millions billions";

    const char CapitalisedWords[] =
        "Monday Tuesday Wednesday Thursday Friday Saturday Sunday "
        "January February March April May June July August September October November December "
        "English Japanese French Chinese Spanish German Italian Korean American British "
        "Christmas";

    QSet<QString> wordSet(const char *words)
    {
        const QStringList list = QString::fromLatin1(words).split(u' ', Qt::SkipEmptyParts);
        return QSet<QString>(list.cbegin(), list.cend());
    }

    const QHash<QString, QString> &irregulars()
    {
        static const QHash<QString, QString> table = [] {
            QHash<QString, QString> forms;
            for (const QString &line : QString::fromLatin1(IrregularForms).split(u'\n'))
            {
                const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
                for (qsizetype i = 1; i < words.size(); ++i)
                    forms.insert(words[i], words[0]);
            }
            return forms;
        }();
        return table;
    }

    // The stem before an ending, and the stem with a doubled last letter
    // undone (stopp → stop).
    void addStem(QStringList &list, const QString &stem, bool withE)
    {
        list << stem;
        if (withE)
            list << stem + u'e';
        if (stem.size() > 2 && stem.back() == stem[stem.size() - 2])
            list << stem.chopped(1);
    }
}

EnglishForms::Bases EnglishForms::bases(const QString &word)
{
    Bases bases;
    const auto ends = [&word](const char *ending) { return word.endsWith(QLatin1String(ending)); };
    if (ends("ies") && word.size() > 4)
        bases.plural << word.chopped(3) + u'y';
    if (ends("ves") && word.size() > 4)
        bases.plural << word.chopped(3) + u'f' << word.chopped(3) + QStringLiteral("fe");
    const QString withoutEs = word.chopped(std::min<qsizetype>(2, word.size()));
    if (ends("es")
        && (withoutEs.endsWith(u's') || withoutEs.endsWith(u'x') || withoutEs.endsWith(u'z') || withoutEs.endsWith(u'o')
            || withoutEs.endsWith(QLatin1String("ch")) || withoutEs.endsWith(QLatin1String("sh"))))
        bases.plural << withoutEs;
    if (ends("s") && !ends("ss") && !ends("us") && !ends("is") && word.size() > 3)
        bases.plural << word.chopped(1);

    for (const char *ending : {"ed", "ing"})
    {
        const qsizetype length = qsizetype(qstrlen(ending));
        if (!ends(ending) || word.size() <= length + 2)
            continue;
        const QString stem = word.chopped(length);
        addStem(bases.verbal, stem, true);
        if (length == 2 && stem.endsWith(u'i'))
            bases.verbal << stem.chopped(1) + u'y'; // tried
    }
    for (const char *ending : {"er", "est"})
    {
        const qsizetype length = qsizetype(qstrlen(ending));
        if (!ends(ending) || word.size() <= length + 2)
            continue;
        const QString stem = word.chopped(length);
        if (stem.endsWith(u'i'))
            bases.comparative << stem.chopped(1) + u'y'; // happier
        else
            addStem(bases.comparative, stem, true);
    }
    for (QStringList *list : {&bases.plural, &bases.verbal, &bases.comparative})
        list->removeDuplicates();
    return bases;
}

QString EnglishForms::irregularBase(const QString &word)
{
    return irregulars().value(word);
}

bool EnglishForms::isOwnWord(const QString &word)
{
    static const QSet<QString> words = wordSet(OwnWords);
    return words.contains(word);
}

bool EnglishForms::isGrammarWord(const QString &word)
{
    static const QSet<QString> words = wordSet(GrammarWords);
    return words.contains(word);
}

bool EnglishForms::isNumberWord(const QString &word)
{
    static const QSet<QString> words = wordSet(NumberWords);
    return words.contains(word);
}

QString EnglishForms::capitalisedWord(const QString &word)
{
    static const QHash<QString, QString> words = [] {
        QHash<QString, QString> table;
        for (const QString &written : wordSet(CapitalisedWords))
            table.insert(written.toLower(), written);
        return table;
    }();
    return words.value(word);
}
