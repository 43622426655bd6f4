#include "GedcomGenerator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <string_view>
#include <vector>

namespace dv::bench {
namespace {

// SplitMix64: small, fast, and the same sequence on every platform (the
// standard library's distributions are not specified bit for bit).
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  int Below(int n) {
    return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }
  int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::uint64_t state_;
};

constexpr std::array<std::string_view, 40> kMaleNames = {
    "James",  "John",      "William", "Thomas",  "Robert", "David",   "Alexander", "Andrew",
    "George", "Henry",     "Edward",  "Richard", "Samuel", "Joseph",  "Charles",   "Arthur",
    "Walter", "Hugh",      "Duncan",  "Angus",   "Ewan",   "Hamish",  "Lachlan",   "Malcolm",
    "Neil",   "Archibald", "Dafydd",  "Gwilym",  "Evan",   "Rhys",    "Owain",     "Idris",
    "Hywel",  "Emrys",     "Matthew", "Daniel",  "Peter",  "Francis", "Albert",    "Frederick"};
constexpr std::array<std::string_view, 40> kFemaleNames = {
    "Mary",      "Margaret", "Elizabeth", "Ann",      "Jane",    "Janet",   "Agnes",  "Isobel",
    "Christina", "Helen",    "Catherine", "Jean",     "Marion",  "Elspeth", "Flora",  "Morag",
    "Hannah",    "Martha",   "Sarah",     "Susannah", "Harriet", "Ellen",   "Alice",  "Edith",
    "Florence",  "Ada",      "Lily",      "Dorothy",  "Gwen",    "Mair",    "Catrin", "Angharad",
    "Bronwen",   "Myfanwy",  "Eluned",    "Sian",     "Rose",    "Grace",   "Ruth",   "Esther"};

// Surnames and towns are built from two syllable tables.
constexpr std::array<std::string_view, 24> kSurnameHeads = {
    "Ash", "Black", "Brock", "Car",    "Craig", "Dun", "Fair", "Glen", "Hal", "Kil", "Lang", "Mor",
    "Nor", "Pen",   "Rad",   "Strath", "Thorn", "Wen", "Whit", "Ald",  "Bel", "Cal", "Drum", "Har"};
constexpr std::array<std::string_view, 16> kSurnameTails = {
    "ley",  "ton",   "by",    "wood",  "field", "more", "ridge", "ford",
    "well", "croft", "worth", "stone", "dale",  "ham",  "wick",  "burn"};
constexpr int kSurnames = 24 * 16;

constexpr std::array<std::string_view, 20> kTownHeads = {
    "Aber", "Auchter", "Bran", "Coed", "Cwm",  "Dal",  "Eccles", "Fern",   "Gart", "Inver",
    "Kirk", "Llan",    "Mill", "Nant", "Pont", "Stan", "Tre",    "Wester", "Ash",  "Brook"};
constexpr std::array<std::string_view, 12> kTownTails = {"brannock", "lea",    "ford", "hope",
                                                         "thwaite",  "more",   "ton",  "field",
                                                         "cairn",    "bridge", "wen",  "gair"};
constexpr int kTowns = 20 * 12;

constexpr std::array<std::string_view, 3> kCountries = {"Scotland", "England", "Wales"};
constexpr std::array<std::string_view, 9> kCounties = {"Fernshire",  "Dunhallow",  "Strathmoy",
                                                       "Westhallow", "Marchshire", "Wendale",
                                                       "Gwentmor",   "Dyfnant",    "Elvetshire"};

constexpr std::array<std::string_view, 24> kMaleTrades = {
    "Farmer",       "Ploughman",        "Handloom weaver", "Fisherman",        "Blacksmith",
    "Shepherd",     "Shoemaker",        "Carter",          "Stonemason",       "Miller",
    "Coal miner",   "Engine driver",    "Joiner",          "Railway porter",   "Grocer",
    "Schoolmaster", "Ship's carpenter", "Slate quarrier",  "Police constable", "Plumber",
    "Bank clerk",   "Electrician",      "Civil engineer",  "Draughtsman"};
constexpr std::array<std::string_view, 12> kFemaleTrades = {
    "Domestic servant", "Dressmaker",  "Spinner",        "Dairymaid",
    "Laundress",        "Housekeeper", "Mill worker",    "Seamstress",
    "Shop assistant",   "Nurse",       "Schoolmistress", "Typist"};

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

constexpr std::array<std::string_view, 10> kNotePhrases = {
    "Named in the kirk session minutes for a dispute over a boundary dyke",
    "Emigrated for some years and came home again; the reason is not recorded",
    "Remembered by a grandchild as a fine singer with a short temper",
    "Witness at the marriages of two of the neighbours' children",
    "Left a will proved at the sheriff court, naming every surviving child",
    "The family moved between three farms in ten years",
    "Served in the militia for four years",
    "Could read and write; signed the register in a clear hand",
    "Lived all of a long life within five miles of the place of birth",
    "A letter written to a brother abroad survives among the family papers"};

constexpr int kLastYear = 2024;
constexpr int kCitationPercent = 45;  // events with a source citation
constexpr int kSourceRecords = 40;
constexpr int kRepositories = 6;

struct Person {
  std::vector<std::int32_t> spouseFamilies;
  std::int32_t parentFamily = 0;
  std::int16_t birthYear = 0;
  std::int16_t deathYear = 0;  // 0 = living
  std::uint16_t given = 0;
  std::int16_t middle = -1;  // second given name, -1 = none
  std::uint16_t surname = 0;
  std::uint8_t region = 0;  // 0 Scotland, 1 England, 2 Wales
  char sex = 'M';           // 'M', 'F' or 0 (no SEX line)
};

struct Family {
  std::vector<std::int32_t> children;
  std::int32_t husband = 0;
  std::int32_t wife = 0;
  std::int16_t marriageYear = 0;
};

// Builds the population: people and families numbered from 1 in the order
// they are made, which is the order they are written.
class Population {
 public:
  Population(std::int32_t target, std::uint32_t seed) : target_(target), rng_(seed) {
    people_.emplace_back();  // slot 0 unused: numbers start at 1
    families_.emplace_back();
  }

  void Build() {
    const int founders = target_ / 2500 + 2;
    for (int i = 0; i < founders && Room(2); ++i) FounderCouple(rng_.Range(1600, 1680));
    std::size_t next = 1;
    while (static_cast<std::int32_t>(people_.size()) - 1 < target_) {
      if (next == families_.size()) {
        // The lines died out or reached the present: start another family.
        if (Room(2)) {
          FounderCouple(rng_.Range(1700, 1850));
        } else {
          NewPerson(rng_.Chance(50) ? 'M' : 'F', rng_.Range(1800, 1990), rng_.Below(kSurnames),
                    static_cast<std::uint8_t>(rng_.Below(3)));
        }
        continue;
      }
      FillFamily(static_cast<std::int32_t>(next++));
    }
  }

  std::vector<Person>& People() { return people_; }
  std::vector<Family>& Families() { return families_; }
  Rng& Random() { return rng_; }

 private:
  bool Room(int n) const { return static_cast<std::int32_t>(people_.size()) - 1 + n <= target_; }

  int Lifespan() {
    const int r = rng_.Below(100);
    if (r < 8) return rng_.Range(0, 4);
    if (r < 14) return rng_.Range(5, 35);
    return rng_.Range(40, 98);
  }

  std::int32_t NewPerson(char sex, int birthYear, int surname, std::uint8_t region) {
    Person p;
    p.sex = sex;
    p.birthYear = static_cast<std::int16_t>(birthYear);
    const int death = birthYear + Lifespan();
    p.deathYear = static_cast<std::int16_t>(death > kLastYear ? 0 : death);
    p.given = static_cast<std::uint16_t>(rng_.Below(40));
    if (rng_.Chance(30)) p.middle = static_cast<std::int16_t>(rng_.Below(40));
    p.surname = static_cast<std::uint16_t>(surname);
    p.region = region;
    people_.push_back(p);
    return static_cast<std::int32_t>(people_.size()) - 1;
  }

  bool AliveIn(const Person& p, int year) const { return p.deathYear == 0 || p.deathYear >= year; }

  std::int32_t NewFamily(std::int32_t husband, std::int32_t wife, int year) {
    Family f;
    f.husband = husband;
    f.wife = wife;
    f.marriageYear = static_cast<std::int16_t>(year);
    families_.push_back(f);
    const auto id = static_cast<std::int32_t>(families_.size()) - 1;
    people_[husband].spouseFamilies.push_back(id);
    people_[wife].spouseFamilies.push_back(id);
    return id;
  }

  void FounderCouple(int year) {
    const auto region = static_cast<std::uint8_t>(rng_.Below(3));
    const std::int32_t h = NewPerson('M', year, rng_.Below(kSurnames), region);
    const std::int32_t w = NewPerson('F', year + rng_.Range(-3, 6), rng_.Below(kSurnames), region);
    // Founders live at least into their forties.
    for (auto id : {h, w}) {
      Person& p = people_[id];
      if (p.deathYear != 0 && p.deathYear < p.birthYear + 45)
        p.deathYear = static_cast<std::int16_t>(p.birthYear + 45);
    }
    NewFamily(h, w, std::max(people_[h].birthYear, people_[w].birthYear) + rng_.Range(20, 28));
  }

  int ChildCount() {
    // 0-8 children, most often two to four.
    static constexpr std::array<int, 9> kWeights = {7, 10, 16, 18, 16, 12, 9, 7, 5};
    int r = rng_.Below(100);
    for (int k = 0; k < 9; ++k) {
      if (r < kWeights[static_cast<std::size_t>(k)]) return k;
      r -= kWeights[static_cast<std::size_t>(k)];
    }
    return 3;
  }

  void FillFamily(std::int32_t id) {
    const Family f = families_[id];
    const Person husband = people_[f.husband];
    const Person wife = people_[f.wife];
    const int children = ChildCount();
    int year = f.marriageYear + rng_.Range(0, 2);
    std::vector<std::int32_t> made;
    for (int i = 0; i < children && Room(1); ++i) {
      if (year > kLastYear - 1 || year - wife.birthYear > 45 || !AliveIn(wife, year) ||
          !AliveIn(husband, year - 1))
        break;
      std::uint8_t region = husband.region;
      if (rng_.Chance(4)) region = static_cast<std::uint8_t>(rng_.Below(3));
      const int r = rng_.Below(100);
      const char sex = r < 49 ? 'M' : r < 98 ? 'F' : 0;
      const std::int32_t child = NewPerson(sex, year, husband.surname, region);
      people_[child].parentFamily = id;
      families_[id].children.push_back(child);
      made.push_back(child);
      year += rng_.Range(1, 3);
    }
    for (auto child : made)
      if (people_[child].sex != 0 && rng_.Chance(64)) Marry(child);
    // A widower who lost his wife young marries again.
    if (wife.deathYear != 0 && wife.deathYear - wife.birthYear < 50 && rng_.Chance(45)) {
      const int again = wife.deathYear + rng_.Range(1, 3);
      if (again <= 2015 && AliveIn(husband, again + 1) && again - husband.birthYear < 60 &&
          Room(1)) {
        const std::int32_t w2 = NewPerson('F', husband.birthYear + rng_.Range(-2, 12),
                                          rng_.Below(kSurnames), husband.region);
        if (AliveIn(people_[w2], again) && again - people_[w2].birthYear >= 18)
          NewFamily(f.husband, w2, again);
      }
    }
  }

  // Finds a spouse for a person: another descendant waiting for a partner of
  // about the same age, or a newcomer from outside the families.
  void Marry(std::int32_t id) {
    const Person p = people_[id];
    std::deque<std::int32_t>& others = p.sex == 'M' ? singleWomen_ : singleMen_;
    std::int32_t partner = 0;
    while (!others.empty() && people_[others.front()].birthYear < p.birthYear - 10)
      others.pop_front();
    if (!others.empty() && people_[others.front()].birthYear <= p.birthYear + 10 &&
        rng_.Chance(40)) {
      partner = others.front();
      others.pop_front();
    } else if (rng_.Chance(25)) {
      (p.sex == 'M' ? singleMen_ : singleWomen_).push_back(id);
      return;
    } else {
      if (!Room(1)) return;
      // Husbands are mostly a little older than their wives.
      const int born =
          p.sex == 'M' ? p.birthYear + rng_.Range(-2, 8) : p.birthYear + rng_.Range(-8, 2);
      int region = p.region;
      if (rng_.Chance(15)) region = rng_.Below(3);
      partner = NewPerson(p.sex == 'M' ? 'F' : 'M', born, rng_.Below(kSurnames),
                          static_cast<std::uint8_t>(region));
    }
    const Person& q = people_[partner];
    const int year = std::max(p.birthYear, q.birthYear) + rng_.Range(19, 30);
    if (year > kLastYear - 2 || !AliveIn(p, year) || !AliveIn(q, year)) return;
    if (p.sex == 'M')
      NewFamily(id, partner, year);
    else
      NewFamily(partner, id, year);
  }

  std::int32_t target_;
  Rng rng_;
  std::vector<Person> people_;
  std::vector<Family> families_;
  std::deque<std::int32_t> singleMen_;
  std::deque<std::int32_t> singleWomen_;
};

// Writes the population as GEDCOM text.
class Writer {
 public:
  Writer(Population& pop, std::string& out) : pop_(pop), out_(out), rng_(pop.Random()) {}

  void Write(GeneratedCounts& counts) {
    const auto& people = pop_.People();
    const auto& families = pop_.Families();
    Header();
    for (std::size_t i = 1; i < people.size(); ++i)
      Individual(static_cast<std::int32_t>(i), people[i]);
    for (std::size_t i = 1; i < families.size(); ++i)
      FamilyRecord(static_cast<std::int32_t>(i), families[i]);
    for (std::size_t i = 0; i < notes_.size(); ++i) out_ += notes_[i];
    SourceRecords();
    Line("0 TRLR");
    counts.individuals = static_cast<std::int32_t>(people.size()) - 1;
    counts.families = static_cast<std::int32_t>(families.size()) - 1;
    counts.notes = static_cast<std::int32_t>(notes_.size());
    counts.sources = kSourceRecords;
    counts.repositories = kRepositories;
    counts.lines = lines_;
    counts.bytes = out_.size();
  }

 private:
  void Line(std::string_view text) {
    out_ += text;
    out_ += "\r\n";
    ++lines_;
  }
  template <typename... Args>
  void Linef(const char* format, Args... args) {
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    Line(std::string_view(buffer, static_cast<std::size_t>(std::clamp(n, 0, 255))));
  }

  static std::string Surname(int index) {
    std::string s(kSurnameHeads[static_cast<std::size_t>(index / 16)]);
    s += kSurnameTails[static_cast<std::size_t>(index % 16)];
    return s;
  }
  std::string Place(int region) {
    const int town = rng_.Below(kTowns);
    std::string s(kTownHeads[static_cast<std::size_t>(town / 12)]);
    s += kTownTails[static_cast<std::size_t>(town % 12)];
    s += ", ";
    s += kCounties[static_cast<std::size_t>(region * 3 + rng_.Below(3))];
    s += ", ";
    s += kCountries[static_cast<std::size_t>(region)];
    return s;
  }
  std::string Date(int year) {
    char buffer[32];
    const int r = rng_.Below(100);
    if (year < 1800 && r < 25)
      std::snprintf(buffer, sizeof buffer, "ABT %d", year);
    else if (r < 8)
      std::snprintf(buffer, sizeof buffer, "%d", year);
    else if (r < 14)
      std::snprintf(buffer, sizeof buffer, "%s %d",
                    kMonths[static_cast<std::size_t>(rng_.Below(12))].data(), year);
    else
      std::snprintf(buffer, sizeof buffer, "%d %s %d", rng_.Range(1, 28),
                    kMonths[static_cast<std::size_t>(rng_.Below(12))].data(), year);
    return buffer;
  }
  void Citation(int level) {
    if (rng_.Chance(10)) {
      Linef("%d SOUR Family papers of the %s family", level,
            Surname(rng_.Below(kSurnames)).c_str());
      return;
    }
    Linef("%d SOUR @S%d@", level, rng_.Range(1, kSourceRecords));
    Linef("%d PAGE Folio %d, entry %d", level + 1, rng_.Range(1, 400), rng_.Range(1, 60));
  }
  void Event(const char* tag, int year, int region, bool withPlace) {
    Linef("1 %s", tag);
    Linef("2 DATE %s", Date(year).c_str());
    if (withPlace) Linef("2 PLAC %s", Place(region).c_str());
    if (rng_.Chance(kCitationPercent)) Citation(2);
  }

  void Header() {
    for (std::string_view s :
         {"0 HEAD", "1 SOUR DORVANE", "2 VERS 4.07", "2 NAME Dorvane", "1 DEST DORVANE",
          "1 DATE 6 DEC 2026", "1 SUBM @SUB1@", "1 FILE BENCH.GED", "1 GEDC", "2 VERS 5.5",
          "2 FORM LINEAGE-LINKED", "1 CHAR ASCII", "0 @SUB1@ SUBM", "1 NAME Benchmark generator"})
      Line(s);
  }

  void Individual(std::int32_t id, const Person& p) {
    Linef("0 @I%d@ INDI", id);
    const auto& given = p.sex == 'F' ? kFemaleNames : kMaleNames;
    const std::string surname = Surname(p.surname);
    if (p.middle >= 0) {
      Linef("1 NAME %s %s /%s/", given[p.given].data(),
            given[static_cast<std::size_t>(p.middle)].data(), surname.c_str());
      Linef("2 GIVN %s %s", given[p.given].data(),
            given[static_cast<std::size_t>(p.middle)].data());
    } else {
      Linef("1 NAME %s /%s/", given[p.given].data(), surname.c_str());
      Linef("2 GIVN %s", given[p.given].data());
    }
    Linef("2 SURN %s", surname.c_str());
    if (p.sex != 0) Linef("1 SEX %c", p.sex);
    const bool early = p.birthYear < 1855;
    if (!early || rng_.Chance(45)) Event("BIRT", p.birthYear, p.region, rng_.Chance(92));
    if (early || rng_.Chance(25))
      Event(rng_.Chance(85) ? "CHR" : "BAPM", p.birthYear, p.region, true);
    const int age = (p.deathYear != 0 ? p.deathYear : kLastYear) - p.birthYear;
    if (age >= 16 && p.sex != 0 && rng_.Chance(70)) {
      const int trade = p.sex == 'M' ? rng_.Below(static_cast<int>(kMaleTrades.size()))
                                     : rng_.Below(static_cast<int>(kFemaleTrades.size()));
      Linef("1 OCCU %s", p.sex == 'M' ? kMaleTrades[static_cast<std::size_t>(trade)].data()
                                      : kFemaleTrades[static_cast<std::size_t>(trade)].data());
    }
    if (age >= 20 && rng_.Chance(30)) {
      Line("1 RESI");
      Linef("2 PLAC %s", Place(p.region).c_str());
      Linef("2 DATE %d", p.birthYear + rng_.Range(20, std::max(20, age)));
    }
    if (p.deathYear != 0) {
      Event("DEAT", p.deathYear, p.region, rng_.Chance(90));
      if (rng_.Chance(55)) {
        Line("1 BURI");
        Linef("2 PLAC %s", Place(p.region).c_str());
      }
    }
    const int r = rng_.Below(100);
    if (r < 4) {
      NoteRecord();
    } else if (r < 7) {
      Linef("1 NOTE %s.", kNotePhrases[static_cast<std::size_t>(rng_.Below(10))].data());
      Linef("2 CONT %s.", kNotePhrases[static_cast<std::size_t>(rng_.Below(10))].data());
    }
    for (auto f : p.spouseFamilies) Linef("1 FAMS @F%d@", f);
    if (p.parentFamily != 0) Linef("1 FAMC @F%d@", p.parentFamily);
    Changed();
  }

  // The date and time a record was last changed, as most programs write it.
  void Changed() {
    Line("1 CHAN");
    Linef("2 DATE %d %s %d", rng_.Range(1, 28),
          kMonths[static_cast<std::size_t>(rng_.Below(12))].data(), rng_.Range(1998, 2024));
    Linef("3 TIME %02d:%02d:%02d", rng_.Below(24), rng_.Below(60), rng_.Below(60));
  }

  // A NOTE record with CONC and CONT lines, referred to from the individual.
  void NoteRecord() {
    const int number = static_cast<int>(notes_.size()) + 1;
    Linef("1 NOTE @N%d@", number);
    std::string text;
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "0 @N%d@ NOTE %s", number,
                  kNotePhrases[static_cast<std::size_t>(rng_.Below(10))].data());
    text += buffer;
    text += "\r\n";
    const int more = rng_.Range(1, 4);
    for (int i = 0; i < more; ++i) {
      std::snprintf(buffer, sizeof buffer, "1 %s %s%s", i % 2 == 0 ? "CONC" : "CONT",
                    i % 2 == 0 ? " and " : "",
                    kNotePhrases[static_cast<std::size_t>(rng_.Below(10))].data());
      text += buffer;
      text += "\r\n";
    }
    lines_ += static_cast<std::size_t>(more) + 1;
    notes_.push_back(std::move(text));
  }

  void FamilyRecord(std::int32_t id, const Family& f) {
    Linef("0 @F%d@ FAM", id);
    Linef("1 HUSB @I%d@", f.husband);
    Linef("1 WIFE @I%d@", f.wife);
    if (rng_.Chance(90)) {
      const int region = pop_.People()[static_cast<std::size_t>(f.wife)].region;
      Event("MARR", f.marriageYear, region, rng_.Chance(92));
    }
    for (auto c : f.children) Linef("1 CHIL @I%d@", c);
    if (rng_.Chance(3))
      Linef("1 NOTE %s.", kNotePhrases[static_cast<std::size_t>(rng_.Below(10))].data());
    Changed();
  }

  void SourceRecords() {
    for (int i = 1; i <= kSourceRecords; ++i) {
      const int region = i % 3;
      const std::string place = Place(region);
      const std::string town = place.substr(0, place.find(','));
      Linef("0 @S%d@ SOUR", i);
      switch (i % 4) {
        case 0:
          Linef("1 ABBR Census returns %d", 1841 + 10 * (i % 8));
          Linef("1 TITL Census enumerators' books for %s, %d",
                kCounties[static_cast<std::size_t>(region * 3 + i % 3)].data(),
                1841 + 10 * (i % 8));
          Line("1 AUTH Enumerators of the districts");
          break;
        case 1:
          Linef("1 ABBR %s parish registers", town.c_str());
          Linef("1 TITL Registers of baptisms, marriages and burials of the parish of %s",
                place.c_str());
          Linef("1 AUTH Ministers of %s", town.c_str());
          break;
        case 2:
          Linef("1 ABBR %s statutory registers",
                kCounties[static_cast<std::size_t>(region * 3 + i % 3)].data());
          Linef("1 TITL Statutory registers of births, marriages and deaths, %s",
                kCounties[static_cast<std::size_t>(region * 3 + i % 3)].data());
          Line("1 AUTH Registrars of the county");
          break;
        default:
          Linef("1 ABBR %s inscriptions", town.c_str());
          Linef("1 TITL Monumental inscriptions in the burial ground of %s", place.c_str());
          Linef("1 AUTH %s Family History Circle",
                kCounties[static_cast<std::size_t>(region * 3)].data());
          break;
      }
      Linef("1 PUBL Transcribed and indexed, %d", 1960 + i);
      Linef("1 REPO @R%d@", 1 + i % kRepositories);
      Linef("2 CALN %c%c/%04d", 'A' + i % 5, 'K' + i % 7, 100 + i * 37);
    }
    for (int i = 1; i <= kRepositories; ++i) {
      const int region = i % 3;
      const char* county = kCounties[static_cast<std::size_t>(region * 3 + i % 3)].data();
      Linef("0 @R%d@ REPO", i);
      Linef("1 NAME %s %s", county, i % 2 ? "Record Office" : "Archive Centre");
      Linef("1 ADDR %d High Street", 3 + i * 11);
      Linef("2 CONT %s", Place(region).c_str());
    }
  }

  Population& pop_;
  std::string& out_;
  Rng& rng_;
  std::vector<std::string> notes_;
  std::size_t lines_ = 0;
};

}  // namespace

std::string GenerateGedcom(std::int32_t individuals, std::uint32_t seed, GeneratedCounts* counts) {
  Population pop(std::max<std::int32_t>(individuals, 2), seed);
  pop.Build();
  std::string out;
  out.reserve(static_cast<std::size_t>(individuals) * 420 + 16384);
  GeneratedCounts c;
  Writer(pop, out).Write(c);
  if (counts) *counts = c;
  return out;
}

bool WriteGedcomFile(const std::string& path, std::int32_t individuals, std::uint32_t seed,
                     GeneratedCounts* counts) {
  const std::string text = GenerateGedcom(individuals, seed, counts);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace dv::bench
