#!/usr/bin/env python3
"""Writes the orvanta(1) manual page or the bash completion script from the
built program's own help texts, so that both list exactly the commands,
options, parameters and exit codes the program has.

    orvanta_docs.py manpage ORVANTA VERSION OUT
    orvanta_docs.py completion ORVANTA OUT
"""
import re
import subprocess
import sys

HELP_COLUMN = 24

# Examples for the manual page: (what it does, command line).
EXAMPLES = [
    ("Render a file with more colour, the Gold type and some dynamics:",
     "orvanta process in.wav out.wav --set Harmonic=60 --set Dynamic=40 --set Color=Gold"),
    ("Render to 32-bit float, with dither, from a saved preset:",
     "orvanta process in.wav out.wav --preset warm.preset --set Dither=On --subtype float"),
    ("Save the current settings as a preset and show what it holds:",
     "orvanta preset save warm.preset --set Harmonic=45 --set Color=Rich\n"
     "orvanta preset show warm.preset"),
    ("List the parameters, their ranges and how a setting reads:",
     "orvanta params --set OutputTrim=-3"),
    ("Measure and plot every colour type into the folder analysis/:",
     "orvanta analyze analysis"),
    ("Measure one colour type at 96 kHz and print the numbers as JSON:",
     "orvanta analyze --json --colors Fat --rate 96000 --no-plots"),
    ("Save a picture of the editor after clicking the Deep button:",
     "orvanta editor --do \"click 447 98\" --snapshot deep.png"),
    ("Run the validation battery, repeatably:",
     "orvanta validate --strictness 3 --seed 1"),
    ("Check the installed LV2 plug-ins with the LV2 tools:",
     "lv2info https://quillfern.audio/plugins/orvanta/stereo"),
]


def run(program, *arguments):
    result = subprocess.run([program, *arguments], capture_output=True, text=True)
    return result.stdout


def commands(program):
    """(name, summary) of every command, from the program's help."""
    text = run(program, "--help")
    listing = text.split("Commands:\n", 1)[1].split("\n\n", 1)[0]
    found = []
    for line in listing.splitlines():
        match = re.match(r"^  (\S+)\s+(.*)$", line)
        if match:
            found.append((match.group(1), match.group(2)))
    return found


def parse_help(text):
    """A command's help as usage lines, description lines, options
    [(name, value, help)] and the exit code lines."""
    usage_part, rest = text.split("\n\n", 1)
    usage = [line[len("Usage: "):] if line.startswith("Usage: ") else line.strip()
             for line in usage_part.splitlines()]
    description_part, rest = rest.split("\nOptions:\n", 1)
    options_part, exit_part = rest.split("\nExit codes:\n", 1)
    options = []
    for line in options_part.splitlines():
        if line.startswith("  -"):
            left = line[:HELP_COLUMN].strip() if len(line) > HELP_COLUMN and line[HELP_COLUMN - 1] == " " \
                else line.strip()
            words = left.split(" ", 1)
            options.append([words[0], words[1] if len(words) > 1 else "", line[HELP_COLUMN:].strip()
                            if left != line.strip() else ""])
        elif line.strip() and options:
            options[-1][2] = (options[-1][2] + " " + line.strip()).strip()
    return usage, description_part.splitlines(), options, exit_part.splitlines()


def parameters(program):
    """Parameter identifiers and the value names each takes."""
    text = run(program, "params")
    identifiers = []
    lines = text.splitlines()
    for line in lines[1:]:
        if not line.strip():
            break
        first = line.split()[0]
        if first != '""':
            identifiers.append(first)
    values = {}
    for identifier in identifiers:
        match = re.search(r"\b" + re.escape(identifier) + r": ([A-Za-z][A-Za-z ,]*?) \(", text)
        if match:
            values[identifier] = [word for word in re.split(r", | or ", match.group(1)) if word]
    return identifiers, values


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\n".join(("\\&" + line if line.startswith((".", "'")) else line) for line in text.split("\n"))


def manpage(program, version, out):
    lines = [
        '.TH ORVANTA 1 "" "orvanta %s" "User Commands"' % version,
        ".SH NAME",
        "orvanta \\- run, measure and check the Orvanta harmonic\\-colour audio effect",
        ".SH SYNOPSIS",
        ".B orvanta",
        ".I COMMAND",
        "[\\fIarguments\\fR] [\\fIoptions\\fR]",
        ".br",
        ".B orvanta",
        ".I COMMAND",
        ".B \\-\\-help",
        ".br",
        ".B orvanta \\-\\-version",
        ".SH DESCRIPTION",
        roff("Orvanta colours a signal with harmonics: Harmonic blends a colour signal with the dry input, "
             "Dynamic adds a part steered by the signal itself, Color picks one of five colour types "
             "(Silver, Gold, Rich, Fat, Deep), Dither adds low-passed noise and OutputTrim sets the gain. "
             "The orvanta program runs the effect's plug-in module under a substitute host: it renders audio "
             "files, lists parameters, saves and shows presets, opens the editor, measures the effect and "
             "validates the module. The Debian package also installs the effect as two LV2 plug-ins "
             "(mono and stereo) for LV2 hosts."),
        ".PP",
        roff("Unless --plugin names another, the program loads the module bundle installed beside it "
             "(/usr/lib/aax/Orvanta.aaxplugin for /usr/bin/orvanta)."),
        ".SH COMMANDS",
    ]
    exit_lines = []
    for name, summary in commands(program):
        usage, description, options, exit_lines = parse_help(run(program, name, "--help"))
        lines += [".SS %s" % roff(name), roff(summary[0].upper() + summary[1:] + "."), ".PP", ".nf"]
        lines += [roff(line) for line in usage]
        lines += [".fi", ".PP", ".nf"]
        lines += [roff(line) for line in description]
        lines += [".fi"]
        for option, value, text in options:
            if option in ("--quiet", "--help", "--plugin"):
                continue
            lines += [".TP", "\\fB%s\\fR%s" % (roff(option), (" \\fI%s\\fR" % roff(value)) if value else ""),
                      roff(text)]
    lines += [".SH COMMON OPTIONS"]
    _, _, options, _ = parse_help(run(program, "params", "--help"))
    for option, value, text in options:
        if option in ("--quiet", "--help", "--plugin"):
            lines += [".TP", "\\fB%s\\fR%s" % (roff(option), (" \\fI%s\\fR" % roff(value)) if value else ""),
                      roff(text)]
    lines += [".TP", "\\fB\\-\\-version\\fR", "print the program's version (as the only argument)"]
    lines += [".SH EXIT STATUS", ".nf"] + [roff(line) for line in exit_lines if line.strip()] + [".fi", ".PP",
              roff("validate exits with 1 when a check failed.")]
    lines += [".SH EXAMPLES"]
    for what, command in EXAMPLES:
        lines += [".PP", roff(what), ".PP", ".RS", ".nf", roff(command), ".fi", ".RE"]
    lines += [
        ".SH FILES",
        ".TP", "/usr/lib/aax/Orvanta.aaxplugin", "the plug-in module bundle the program loads",
        ".TP", "/usr/lib/lv2/orvanta.lv2", "the LV2 bundle: the mono and stereo plug-ins and their presets",
        ".SH SEE ALSO",
        ".BR lv2info (1),",
        ".BR lv2ls (1)",
        ".SH COPYRIGHT",
        "ISC licence; see /usr/share/doc/orvanta/copyright.",
    ]
    with open(out, "w") as file:
        file.write("\n".join(lines) + "\n")


def completion(program, out):
    names = [name for name, _ in commands(program)]
    options = {}
    for name in names:
        _, _, command_options, _ = parse_help(run(program, name, "--help"))
        options[name] = [option for option, _, _ in command_options]
    identifiers, values = parameters(program)
    takes_file = sorted({option for name in names for option, value, _ in
                         parse_help(run(program, name, "--help"))[2] if value in ("FILE", "PATH", "OUT.png")})
    cases = "\n".join('        %s) options="%s" ;;' % (name, " ".join(options[name])) for name in names)
    value_cases = "\n".join('        %s) echo "%s" ;;' % (identifier, " ".join(words))
                            for identifier, words in sorted(values.items()))
    script = f"""# bash completion for orvanta: commands, options, parameter identifiers
# and value names. Generated from the program's own help texts.
_orvanta_values()
{{
    case "$1" in
{value_cases}
    esac
}}

_orvanta()
{{
    local current previous options
    current="${{COMP_WORDS[COMP_CWORD]}}"
    previous="${{COMP_WORDS[COMP_CWORD-1]}}"
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=( $(compgen -W "{' '.join(names)} --help --version" -- "$current") )
        return 0
    fi
    # Bash splits "--set ID=VALUE" at the '=' (COMP_WORDBREAKS) unless told
    # otherwise: "--set" "ID" "=" "VALUE".
    if [ "$previous" = "=" ] && [ "$COMP_CWORD" -ge 3 ] && [ "${{COMP_WORDS[COMP_CWORD-3]}}" = "--set" ]; then
        COMPREPLY=( $(compgen -W "$(_orvanta_values "${{COMP_WORDS[COMP_CWORD-2]}}")" -- "$current") )
        return 0
    fi
    if [ "$current" = "=" ] && [ "${{COMP_WORDS[COMP_CWORD-2]}}" = "--set" ]; then
        COMPREPLY=( $(compgen -W "$(_orvanta_values "$previous")" -- "") )
        return 0
    fi
    case "$previous" in
        {'|'.join(takes_file) or '--plugin'})
            COMPREPLY=( $(compgen -f -- "$current") )
            return 0 ;;
        --set)
            case "$current" in
                *=*)
                    local identifier="${{current%%=*}}"
                    COMPREPLY=( $(compgen -P "$identifier=" -W "$(_orvanta_values "$identifier")" -- "${{current#*=}}") ) ;;
                *)
                    compopt -o nospace 2>/dev/null
                    COMPREPLY=( $(compgen -S "=" -W "{' '.join(identifiers)}" -- "$current") ) ;;
            esac
            return 0 ;;
        --colors)
            COMPREPLY=( $(compgen -W "all {' '.join(values.get('Color', []))}" -- "$current") )
            return 0 ;;
    esac
    case "${{COMP_WORDS[1]}}" in
{cases}
        *) options="" ;;
    esac
    if [[ "$current" == -* ]]; then
        COMPREPLY=( $(compgen -W "$options" -- "$current") )
    else
        COMPREPLY=( $(compgen -f -- "$current") )
    fi
    return 0
}}
complete -F _orvanta orvanta
"""
    with open(out, "w") as file:
        file.write(script)


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "manpage":
        manpage(sys.argv[2], sys.argv[3], sys.argv[4])
    elif len(sys.argv) == 4 and sys.argv[1] == "completion":
        completion(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
