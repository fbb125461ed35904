#include "tool/aiuto.h"

namespace scenario::strumento {

namespace {

constexpr std::string_view generale =
    R"(scenario-tool: compile your own scenario sources, export the built-in ones, and read
and draw the compiled files.

Usage: scenario-tool COMMAND [ARGUMENTS]

Commands:
  check DIR --scenario NAME --train NUMBER [--no-line] [--format text|gcc|json]
      every problem of DIR/NAME_linea.txt and DIR/NAME_NUMBER-.txt at once; writes no file
  compile DIR --scenario NAME --train NUMBER [--no-line] [--out OUTDIR]
      compile DIR/NAME_linea.txt and DIR/NAME_NUMBER-.txt into the binary files
  sources DIR [--scenario NAME] [--train NUMBER] [--force]
      write the built-in line and train sources into DIR, as a starting point
  dump FILE [--json] [--all] [--step N]
      decode a compiled .dat, .sim or _linea.dat file
  render DIR --scenario NAME --train NUMBER -o FILE.svg [--from KM] [--to KM]
      draw a compiled scenario on one SVG page
  serve DIR --scenario NAME --train NUMBER [--no-line] [--port N]
      a live page of the scenario in your browser, updated on every save
  lsp
      a language server for editors: diagnostics as you type, hover, completion, outline
  help [COMMAND]
      this text, or the help of one command (also: scenario-tool COMMAND --help)

Exit status:
  0   done
  1   compile: files written, but the compiler or the cell pass recorded an error code;
      check: errors found
  2   nothing written: the compilation stopped, or sources would be overwritten;
      check: a source is missing or cannot be read
  3   a file could not be read, written or renamed
  64  a mistake on the command line
  65  dump, render: not a well-formed compiled file, or files that do not make one set
)";

constexpr std::string_view check =
    R"(Usage: scenario-tool check DIR --scenario NAME --train NUMBER [--no-line]
                          [--format text|gcc|json]

Reads DIR/NAME_linea.txt and DIR/NAME_NUMBER-.txt with the compiler's own readers and rules,
builds the line geometry as compile does, runs the cell pass on what was read, and lists every
problem at once; it writes no file. A record that raises an error code is reported and the
reading goes on with the next line.

  error     what compile records as a code: same number, same meaning
  warning   the output would be valid but probably not what you meant; each kind has a short
            name (unknown-record, record-runs-on, trailing-fields, unknown-section, utf8-text,
            gradient-order, curve-order, curve-overlap, value-wrapped, value-rounded,
            no-generale, no-stations, cr-line-end)
  note      context: what stands on a taken cell and where it was written

Options:
  --scenario NAME   the scenario name
  --train NUMBER    the train number
  --no-line         as compile --no-line: no geometry, curves are not read
  --format FORMAT   text (default; with the source line and a caret), gcc (one line each:
                    FILE:LINE:COLUMN: error|warning|note: message [code N]) or json

Exit status: 0 no error (warnings allowed); 1 errors; 2 a source is missing or cannot be read;
64 a mistake on the command line.
)";

constexpr std::string_view compile =
    R"(Usage: scenario-tool compile DIR --scenario NAME --train NUMBER [--no-line] [--out OUTDIR]

Compiles the line source DIR/NAME_linea.txt and the train source DIR/NAME_NUMBER-.txt with
the program's own compiler, cell pass and stamps, and writes

  NAME_linea.dat       the per-metre line geometry (not with --no-line)
  NAME_NUMBER.sim      the 87-record table (stations, board texts, header, stamps)
  NAME_NUMBER.dat      the track cells, one per 50 m

into OUTDIR (default DIR). Your sources are never changed or deleted: the tool compiles a
copy in a private temporary folder. Each output file is replaced whole, never left half
written; with --no-line an older NAME_linea.dat is left as it was.

Options:
  --scenario NAME   the scenario name, first part of every file name
  --train NUMBER    the train number
  --no-line         do not build the line geometry (curves are then not read)
  --out OUTDIR      where the binary files go (created when missing)

The outcome goes to standard error: a recorded code with its meaning, the position in
metres and the source record (file:line:column) that raised it, then the files written.

Warnings met on the way (see check) are printed too, in check's text form.

Exit status: 0 files written, no code; 1 files written, a code recorded; 2 no file written
(a source missing, or the compiler stopped before sizing the cells, or codes 1250/1251);
3 a file could not be read or written; 64 a mistake on the command line.
)";

constexpr std::string_view sources =
    R"(Usage: scenario-tool sources DIR [--scenario NAME] [--train NUMBER] [--force]

Writes the built-in line and train sources into DIR (created when missing), byte for byte
as the program writes them (Windows-1252, CR LF), under the names NAME_linea.txt and
NAME_NUMBER-.txt. Edit them and compile them with "scenario-tool compile".

Options:
  --scenario NAME   default Lerno_Castelbrum_Pusena
  --train NUMBER    default 27364
  --force           replace files that already exist (otherwise nothing is written)

Exit status: 0 written; 2 a file already exists, nothing written; 3 a file could not be
written; 64 a mistake on the command line.
)";

constexpr std::string_view dump = R"(Usage: scenario-tool dump FILE [--json] [--all] [--step N]

Decodes a compiled file and prints it on standard output. The kind is taken from the name:

  ..._linea.dat   line geometry: metre, then type and value of component 0 (x) and 1 (y)
  ....dat         track cells, one per line: index, where the cell begins (cell n covers
                  the 50 m from (n-1)*50 m), members, each followed by its meaning:
                  the kind's name, speeds in km/h, gradients in per mille, packed
                  signal and board values unpacked (raw values only in --json)
  ....sim         the 87 records with their member names; names shown as UTF-8

Options:
  --json     one JSON object instead of text
  --all      every member, not only the non-zero ones (cells and records)
  --step N   geometry only: every Nth metre

A malformed or truncated file is reported with the byte offset of the fault. Only a regular
file no larger than a compilation writes is read: a FIFO, a device (or a link to one) is
refused unread. A .dat or _linea.dat is also checked against the line length in the .sim
files of its set beside it (NAME_NUMBER.sim; for NAME_linea.dat each NAME_*.sim of scenario
NAME): a cell or metre count that differs is reported with both figures.

Exit status: 0 decoded; 3 the file could not be read; 64 a mistake on the command line;
65 not a well-formed compiled file, or not the size its set's line length gives.
)";

constexpr std::string_view render =
    R"(Usage: scenario-tool render DIR --scenario NAME --train NUMBER -o FILE.svg [--from KM] [--to KM]

Reads the compiled files NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat from DIR and
draws one SVG page: the plan of the line with its stations, signals and slowdowns, and under
it, on one distance axis, the same rows as the page of serve: distance and chainage, stations
(name, kind, time), curves, gradient, speed limit with the slowdowns, adhesion, signals,
cab signals, maximum-speed and indication boards, mountains. Labels never overlap: where
they would, the less important ones are left out. Without NAME_linea.dat (compiled with
--no-line) the plan and the curves are left out.

Options:
  --scenario NAME       the scenario name
  --train NUMBER        the train number
  -o, --output FILE     the SVG file to write (replaced whole)
  --from KM, --to KM    draw only this stretch, in km from the start of the line

Exit status: 0 written; 3 a file could not be read or written; 64 a mistake on the command
line (or --to not beyond --from); 65 a compiled file is not well formed, or the cells or
the geometry are not the size the line length in the .sim gives.
)";

constexpr std::string_view serve =
    R"(Usage: scenario-tool serve DIR --scenario NAME --train NUMBER [--no-line] [--port N]

Compiles DIR/NAME_linea.txt and DIR/NAME_NUMBER-.txt as compile does, in a private folder
(nothing is written into DIR), and serves a page of the scenario on this machine only. The
first line on standard output is the page's address: open it in a browser. Each time you save
a source the page compiles it again and updates itself within a second, keeping its zoom and
position. A source that does not compile lists its diagnostics beside the picture, which stays
as it was, marked stale. Ctrl-C stops the server.

The page shows one distance axis with the chainage, the plan, curves, gradient, speed limit
and slowdowns, adhesion, signals with their stored values, cab-signal sections and code
points, maximum-speed and indication boards, mountains and stations. Wheel or the buttons
zoom, dragging pans, the range box takes kilometres from the start; hovering shows the cell
and its stored members, clicking a diagnostic centres the view on its position.

Options:
  --scenario NAME   the scenario name
  --train NUMBER    the train number
  --no-line         compile without the line geometry (no plan, no curves)
  --port N          listen on port N of 127.0.0.1 (default: a free port)

Exit status: 0 stopped by Ctrl-C; 3 the port could not be opened; 64 a mistake on the
command line.
)";

constexpr std::string_view lsp = R"(Usage: scenario-tool lsp [--stdio]

A language server for the two source formats, spoken over standard input and output (the
Language Server Protocol). An editor starts it; a document named NAME_linea.txt or
NAME_NUMBER-.txt is checked as check checks it, with the unsaved text of open documents in
place of the files, and its diagnostics are published while you type. Hover shows a field's
name, meaning, range and stored value; completion offers the keywords of the section.
--stdio is accepted and changes nothing.

Exit status: 0 after the editor's shutdown and exit; 1 when the input ends or breaks before.
)";

constexpr std::string_view help = R"(Usage: scenario-tool help [COMMAND]

Shows the list of commands, or the help of one command.
)";

}  // namespace

std::string_view aiuto_generale() { return generale; }

std::string_view aiuto_comando(std::string_view comando) {
    if (comando == "check") return check;
    if (comando == "compile") return compile;
    if (comando == "sources") return sources;
    if (comando == "dump") return dump;
    if (comando == "render") return render;
    if (comando == "serve") return serve;
    if (comando == "lsp") return lsp;
    if (comando == "help") return help;
    return {};
}

}  // namespace scenario::strumento
