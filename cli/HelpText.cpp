// The help of zentavo-cli.
#include "HelpText.h"

namespace
{
const char kExitStatus[] = "Exit status: 0 done; 1 a usage or file error (nothing was made); 2 input a calculation\n"
                           "refused (a bad field name or value, a dialog that refused OK or was cancelled; with\n"
                           "--batch: at least one line failed, the others ran).\n";

const char kUsage[] =
    "Usage: zentavo-cli COMMAND [ARG ...] [--vocab FILE]\n"
    "\n"
    "Commands:\n"
    "  types                        list the calculation types: code, class, caption\n"
    "                                 zentavo-cli types\n"
    "  fields CODE [--format text|json]\n"
    "                               list the input fields of a calculation type\n"
    "                                 zentavo-cli fields 3200\n"
    "  run CODE [ARG ...] [--title TEXT] [--format text|json|csv|tsv] [--seed N] [--doc FILE.zna] [--rtf]\n"
    "                               make a calculation through its dialog and print its report or results\n"
    "                                 zentavo-cli run 3200 a=12 b=5 c=3 d=20 exact=yes level=99\n"
    "  run --batch FILE|- [--format text|json|csv|tsv] [--doc FILE.zna]\n"
    "                               one calculation per line of FILE (- for standard input)\n"
    "                                 zentavo-cli run --batch tables.txt --format csv > results.csv\n"
    "  tree FILE.zna                print the calculation tree of a document\n"
    "                                 zentavo-cli tree study.zna\n"
    "  export FILE.zna [OUT] [--format txt|html|pdf|odt|json|csv|tsv]\n"
    "                               write every calculation of a document (plain text by default)\n"
    "                                 zentavo-cli export study.zna --format json > study.json\n"
    "  help [COMMAND]               print this help, or the full help of a command\n"
    "                                 zentavo-cli help run\n"
    "  help CODE                    print the manual's page of a calculation type\n"
    "                                 zentavo-cli help 3200\n"
    "\n"
    "Arguments of run (see zentavo-cli help run):\n"
    "  NAME=VALUE                   a field by name (zentavo-cli fields CODE lists them)   a=12 exact=no\n"
    "  GROUP[N].NAME=VALUE          a field of stratum or row N, from 1                     strata[2].a=7\n"
    "  ID=TEXT                      type TEXT into the dialog's control ID                  1090=12\n"
    "  +ID, -ID                     check, uncheck a check box or option                    +1157\n"
    "  @ID                          press a button (1 OK, 2 Cancel)                         @2\n"
    "  tab=N, row=N                 select tab N or list row N, from 0                      tab=1\n"
    "\n"
    "Options:\n"
    "  --vocab FILE                 read the vocabulary from FILE (may stand anywhere)      --vocab de.ini\n"
    "  --lang CODE                  words in en, de, es, fr, it, pt or system; default en   --lang fr\n"
    "  --title TEXT                 the calculation's title; without one it is the code     --title \"Cohort A\"\n"
    "  --format NAME                text (the report), json, csv or tsv (results as data)   --format json\n"
    "  --seed N                     the seed of a random-number calculation, 0-4294967295   --seed 7\n"
    "  --doc FILE.zna               also file the calculation into that document            --doc study.zna\n"
    "  --rtf                        print the report as rich text                           --rtf\n"
    "  --help, -h                   print this help\n"
    "  --version                    print the version\n"
    "\n";

const char kRun[] =
    "Usage: zentavo-cli run CODE [ARG ...] [--title TEXT] [--format text|json|csv|tsv] [--seed N]\n"
    "                       [--doc FILE.zna] [--rtf]\n"
    "       zentavo-cli run --batch FILE|- [--format text|json|csv|tsv] [--doc FILE.zna]\n"
    "\n"
    "Makes a new calculation of type CODE (zentavo-cli types lists them) through its own dialog:\n"
    "the arguments are entered as a user would type them, then OK is pressed, and the dialog\n"
    "checks every value as it does on screen.\n"
    "\n"
    "Arguments, applied in this order:\n"
    "  NAME=VALUE           a field by name; zentavo-cli fields CODE lists the names, kinds, ranges\n"
    "                       and defaults. Flags take yes/no (also true/false, on/off, 1/0), choices\n"
    "                       one of their values.             run 3200 a=12 b=5 c=3 d=20 exact=yes level=99\n"
    "  GROUP[N].NAME=VALUE  a field of entry N (from 1) of a group: the strata of a stratified\n"
    "                       table (strata[2].a=7 adds stratum 2 and fills it) or the rows of a list\n"
    "                       (rows[1].x=3 rows[2].x=5, numbered without gaps). Entries are entered in\n"
    "                       ascending order after the other fields.\n"
    "  ID=TEXT              type TEXT into the control ID (the dialog's numeric ids)   1090=12\n"
    "  +ID / -ID            check / uncheck a check box or option                     +1157\n"
    "  @ID                  press a button: 1 is OK, 2 Cancel                         @2\n"
    "  tab=N / row=N        select tab N / list row N, from 0                         tab=1\n"
    "\n"
    "Options:\n"
    "  --title TEXT         the title (also title=TEXT). Without one, zentavo-cli titles the\n"
    "                       calculation with its type code (\"3200\"), so that the same arguments\n"
    "                       give the same output on every run.\n"
    "  --format NAME        text: the report as printed (default). json: one object per calculation\n"
    "                       with type, class, caption, title, inputs by field name and results (key,\n"
    "                       label, estimate, lower, upper, level, df, decimals, probability) as\n"
    "                       full-precision numbers, null where undefined. csv, tsv: a header row,\n"
    "                       then one row per result: type, title, key, label, estimate, lower, upper,\n"
    "                       level, df, p (a probability goes in p). Keys do not change with the\n"
    "                       vocabulary; labels do.\n"
    "  --seed N             the seed of a random-number calculation (0 to 4294967295)\n"
    "  --doc FILE.zna       also file the calculation into the document (made when missing)\n"
    "  --rtf                print the report's rich text (text format only)\n"
    "  --batch FILE         one calculation per line, each line the arguments of one run:\n"
    "                       CODE ARG ... [--title TEXT] [--seed N]. Words are split at blanks;\n"
    "                       double quotes group a value with blanks (title=\"Cohort A\"); blank lines\n"
    "                       and lines starting with # are skipped. - reads standard input. Output:\n"
    "                       one JSON object per line, or rows under one header, or each report\n"
    "                       followed by a form-feed line. A failing line is reported on standard\n"
    "                       error as \"zentavo-cli: line N: MESSAGE\" and the others still run.\n"
    "\n"
    "A bad field name or value exits with 2 and \"zentavo-cli: NAME: MESSAGE\" on standard error;\n"
    "other dialog messages are written there as \"message: TEXT\".\n"
    "\n";

const char kFields[] = "Usage: zentavo-cli fields CODE [--format text|json]\n"
                       "\n"
                       "Lists the input fields of calculation type CODE in dialog order, one a line: name, kind\n"
                       "(count, number, choice, flag, text), range, default and label, separated by tabs. The\n"
                       "fields of a group are shown as GROUP[N].NAME under a line giving how many entries the\n"
                       "group takes. The title's default is the type code. --format json gives the same as data.\n"
                       "  zentavo-cli fields 3200\n"
                       "  zentavo-cli fields 3200 --format json\n"
                       "\n";

const char kTypes[] = "Usage: zentavo-cli types\n"
                      "\n"
                      "Lists every calculation type, one a line: its code, class name and dialog caption,\n"
                      "separated by tabs. A code names one calculation; the codes of groups (such as 1000)\n"
                      "name none. 9999 makes a note.\n"
                      "  zentavo-cli types\n"
                      "\n";

const char kTree[] = "Usage: zentavo-cli tree FILE.zna\n"
                     "\n"
                     "Prints the calculation tree of a document, one node a line: its type code, F for a folder\n"
                     "or C for a calculation, and its label, indented two blanks per level.\n"
                     "  zentavo-cli tree study.zna\n"
                     "\n";

const char kExport[] = "Usage: zentavo-cli export FILE.zna [OUT] [--format txt|html|pdf|odt|json|csv|tsv]\n"
                       "\n"
                       "Writes every calculation of a document into OUT (replaced as a whole, never the document\n"
                       "itself) or to standard output (not pdf or odt). The format is --format's, else OUT's\n"
                       "extension's, else plain text. txt, html, pdf and odt write the reports; json writes one\n"
                       "object per line for every calculation and note, with its results computed from its stored\n"
                       "inputs, and csv and tsv one row per result (notes have none), as run --format does.\n"
                       "  zentavo-cli export study.zna study.pdf\n"
                       "  zentavo-cli export study.zna --format csv > study.csv\n"
                       "\n";

const char kHelp[] = "Usage: zentavo-cli help [COMMAND|CODE|reports|index]\n"
                     "\n"
                     "Prints the help of zentavo-cli, or of one command, or the manual's page of a calculation\n"
                     "type (what it is for, its inputs, how to read its report, a worked example), of reading\n"
                     "a report, or the manual's index. A code without a page exits with 2.\n"
                     "  zentavo-cli help export\n"
                     "  zentavo-cli help 3200\n"
                     "\n";
} // namespace

std::string UsageText()
{
    return std::string(kUsage) + kExitStatus;
}

std::optional<std::string> CommandHelp(const std::string& command)
{
    const char* text = command == "run"      ? kRun
                       : command == "fields" ? kFields
                       : command == "types"  ? kTypes
                       : command == "tree"   ? kTree
                       : command == "export" ? kExport
                       : command == "help"   ? kHelp
                                             : nullptr;
    if (!text)
        return std::nullopt;
    return std::string(text) + kExitStatus;
}
