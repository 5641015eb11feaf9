// The word pools every generator draws from: drugs of a formulary, first names and
// surnames. A fixed seed, so the same pools every run.
#include "Generate.h"

#include <algorithm>
#include <random>
#include <vector>

namespace quiller::bench {

namespace {

const char* const kDrugBases[] = {
    "Amoxicillin",
    "Lisinopril",
    "Atorvastatin",
    "Metformin",
    "Amlodipine",
    "Metoprolol",
    "Omeprazole",
    "Simvastatin",
    "Losartan",
    "Albuterol",
    "Gabapentin",
    "Hydrochlorothiazide",
    "Sertraline",
    "Furosemide",
    "Acetaminophen Codeine",
    "Fluticasone",
    "Prednisone",
    "Escitalopram",
    "Montelukast",
    "Rosuvastatin",
    "Bupropion",
    "Pantoprazole",
    "Trazodone",
    "Tramadol",
    "Insulin Glargine",
    "Levothyroxine",
    "Meloxicam",
    "Clopidogrel",
    "Citalopram",
    "Carvedilol",
    "Warfarin",
    "Pravastatin",
    "Tamsulosin",
    "Fluoxetine",
    "Alprazolam",
    "Cyclobenzaprine",
    "Zolpidem",
    "Allopurinol",
    "Venlafaxine",
    "Glipizide",
    "Azithromycin",
    "Ciprofloxacin",
    "Doxycycline",
    "Cephalexin",
    "Clonazepam",
    "Lorazepam",
    "Propranolol",
    "Spironolactone",
    "Ibuprofen",
    "Naproxen",
    "Diclofenac",
    "Ondansetron",
    "Famotidine",
    "Ranitidine",
    "Loratadine",
    "Cetirizine",
    "Duloxetine",
    "Quetiapine",
    "Aripiprazole",
    "Risperidone",
    "Olanzapine",
    "Lamotrigine",
    "Levetiracetam",
    "Topiramate",
    "Valacyclovir",
    "Acyclovir",
    "Nitrofurantoin",
    "Sulfamethoxazole Trim",
    "Methylprednisolone",
    "Hydroxyzine",
    "Diltiazem",
    "Verapamil",
    "Nifedipine",
    "Benazepril",
    "Enalapril",
    "Ramipril",
    "Valsartan",
    "Irbesartan",
    "Olmesartan",
    "Telmisartan",
    "Clonidine",
    "Hydralazine",
    "Isosorbide",
    "Digoxin",
    "Apixaban",
    "Rivaroxaban",
    "Dabigatran",
    "Ezetimibe",
    "Fenofibrate",
    "Gemfibrozil",
    "Niacin",
    "Glimepiride",
    "Pioglitazone",
    "Sitagliptin",
    "Empagliflozin",
    "Dapagliflozin",
    "Liraglutide",
    "Insulin Lispro",
    "Insulin Aspart",
    "Estradiol",
    "Medroxyprogesterone",
    "Norethindrone",
    "Finasteride",
    "Sildenafil",
    "Tadalafil",
    "Oxybutynin",
    "Tolterodine",
    "Mirtazapine",
    "Buspirone",
    "Paroxetine",
    "Nortriptyline",
    "Amitriptyline",
    "Baclofen",
    "Tizanidine",
    "Methocarbamol",
    "Oxycodone",
    "Hydrocodone APAP",
    "Morphine ER",
    "Buprenorphine",
    "Naloxone",
    "Methotrexate",
    "Hydroxychloroquine",
    "Folic Acid",
    "Potassium Chloride",
    "Magnesium Oxide",
    "Vitamin D2",
    "Ferrous Sulfate",
    "Cyanocobalamin",
    "Latanoprost",
    "Timolol",
    "Brimonidine",
    "Mupirocin",
    "Triamcinolone",
    "Clobetasol",
    "Hydrocortisone",
    "Ketoconazole",
    "Fluconazole",
    "Terbinafine",
    "Nystatin",
    "Metronidazole",
    "Clindamycin",
    "Penicillin VK",
    "Amox Clavulanate",
    "Cefdinir",
    "Levofloxacin",
    "Benzonatate",
    "Promethazine",
    "Meclizine",
    "Sumatriptan",
    "Rizatriptan",
};
const char* const kStrengths[] = {"1mg",   "2.5mg", "5mg",   "10mg",  "20mg",
                                  "25mg",  "40mg",  "50mg",  "100mg", "200mg",
                                  "250mg", "500mg", "850mg", "875mg", "1000mg"};
const char* const kForms[] = {"Tabs", "Caps", "Tabs ER", "Susp", "Soln", "Cream"};

const char* const kFirstNames[] = {
    "James",     "Mary",      "John",      "Patricia", "Robert",   "Jennifer",  "Michael",
    "Linda",     "William",   "Elizabeth", "David",    "Barbara",  "Richard",   "Susan",
    "Joseph",    "Jessica",   "Thomas",    "Sarah",    "Charles",  "Karen",     "Chris",
    "Nancy",     "Daniel",    "Lisa",      "Matthew",  "Betty",    "Anthony",   "Margaret",
    "Mark",      "Sandra",    "Donald",    "Ashley",   "Steven",   "Kimberly",  "Paul",
    "Emily",     "Andrew",    "Donna",     "Joshua",   "Michelle", "Kenneth",   "Dorothy",
    "Kevin",     "Carol",     "Brian",     "Amanda",   "George",   "Melissa",   "Edward",
    "Deborah",   "Ronald",    "Stephanie", "Timothy",  "Rebecca",  "Jason",     "Sharon",
    "Jeffrey",   "Laura",     "Ryan",      "Cynthia",  "Jacob",    "Kathleen",  "Gary",
    "Amy",       "Nicholas",  "Shirley",   "Eric",     "Angela",   "Jonathan",  "Helen",
    "Stephen",   "Anna",      "Larry",     "Brenda",   "Justin",   "Pamela",    "Scott",
    "Nicole",    "Brandon",   "Emma",      "Benjamin", "Samantha", "Samuel",    "Katherine",
    "Frank",     "Christine", "Gregory",   "Debra",    "Raymond",  "Rachel",    "Alexander",
    "Catherine", "Patrick",   "Carolyn",   "Jack",     "Janet",    "Dennis",    "Ruth",
    "Jerry",     "Maria",     "Tyler",     "Heather",  "Aaron",    "Diane",     "Jose",
    "Virginia",  "Adam",      "Julie",     "Henry",    "Joyce",    "Nathan",    "Victoria",
    "Douglas",   "Olivia",    "Zachary",   "Kelly",    "Peter",    "Christina", "Kyle",
    "Lauren",
};
const char* const kSurnameStarts[] = {
    "Ash",   "Bell", "Black", "Brad", "Brook", "Cald",  "Carr",  "Chap",  "Clay", "Cole",
    "Crane", "Dal",  "Dun",   "East", "Ell",   "Fair",  "Fen",   "Ford",  "Gar",  "Gold",
    "Green", "Hal",  "Ham",   "Har",  "Haw",   "Hol",   "Kings", "Lang",  "Lock", "Mar",
    "Mill",  "Mor",  "North", "Oak",  "Pem",   "Ram",   "Red",   "Rich",  "Rock", "Ros",
    "Sel",   "Shel", "South", "Stan", "Ston",  "Strat", "Sut",   "Thorn", "Wal",  "West",
};
const char* const kSurnameEnds[] = {
    "by",    "croft", "dale", "don",  "field", "ford",  "gate", "ham",  "hurst", "ington",
    "ley",   "low",   "man",  "more", "ner",   "ridge", "ston", "ton",  "well",  "wood",
    "worth", "ey",    "er",   "son",  "sley",  "stead", "wick", "win",  "brook", "land",
    "mont",  "berg",  "s",    "ey",   "holt",  "shaw",  "bury", "cott", "ett",   "ard",
};
const char* const kCommonSurnames[] = {
    "Smith",     "Johnson",  "Williams",  "Brown",   "Jones",    "Garcia",   "Miller",   "Davis",
    "Rodriguez", "Martinez", "Hernandez", "Lopez",   "Gonzalez", "Wilson",   "Anderson", "Thomas",
    "Taylor",    "Moore",    "Jackson",   "Martin",  "Lee",      "Perez",    "Thompson", "White",
    "Harris",    "Sanchez",  "Clark",     "Ramirez", "Lewis",    "Robinson", "Walker",   "Young",
    "Allen",     "King",     "Wright",    "Scott",   "Torres",   "Nguyen",   "Hill",     "Flores",
    "O'Neil",    "Adams",    "Nelson",    "Baker",   "Hall",     "Rivera",   "Campbell", "Mitchell",
};

} // namespace

Pools::Pools() {
    std::mt19937_64 rng(7);
    for (const char* base : kDrugBases) {
        // Each drug in four strengths and two forms of the formulary.
        std::vector<int> strengths(std::size(kStrengths));
        for (size_t i = 0; i < strengths.size(); ++i)
            strengths[i] = int(i);
        std::shuffle(strengths.begin(), strengths.end(), rng);
        const int form = int(rng() % std::size(kForms));
        for (int s = 0; s < 4; ++s)
            for (int f = 0; f < 2; ++f) {
                const QString text =
                    QStringLiteral("%1 %2 %3")
                        .arg(QLatin1String(base), QLatin1String(kStrengths[strengths[s]]),
                             QLatin1String(kForms[(form + f) % std::size(kForms)]));
                drugs << text.left(30).leftJustified(30, QLatin1Char(' '));
            }
    }
    for (const char* n : kFirstNames)
        firstNames << QLatin1String(n);
    for (const char* n : kCommonSurnames)
        lastNames << QLatin1String(n);
    for (const char* a : kSurnameStarts)
        for (const char* b : kSurnameEnds)
            lastNames << QLatin1String(a) + QLatin1String(b);
    lastNames.removeDuplicates();
}

const Pools& ThePools() {
    static const Pools pools;
    return pools;
}

} // namespace quiller::bench
