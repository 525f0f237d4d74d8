# Bash completion for quillmark-cli: commands, options, and only the files each place accepts.

# Offers the files under the word being completed whose extension (in any case) is one of $1 (a
# space-separated list), and every folder, to descend into.
_quillmark_cli_files() {
    local wanted=" $1 " path extension
    compopt -o filenames 2>/dev/null
    while IFS= read -r path; do
        extension=${path##*.}
        if [[ -d $path || ( $path == *.* && $wanted == *" ${extension,,} "* ) ]]; then
            COMPREPLY+=("$path")
        fi
    done < <(compgen -f -- "$2")
}

_quillmark_cli() {
    local current=${COMP_WORDS[COMP_CWORD]} word command="" files=0
    COMPREPLY=()
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
            --help | -h | --version) return ;;
            -*) ;;
            *) if [[ -z $command ]]; then command=$word; else files=$((files + 1)); fi ;;
        esac
    done

    if [[ $current == -* ]]; then
        local options="-v --verbose --lenient"
        [[ -z $command ]] && options+=" --help --version"
        [[ -z $command || $command == show || $command == check ]] && options+=" --json"
        [[ -z $command || $command == check ]] && options+=" --strict"
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")
        return
    fi
    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "check convert document generate show" -- "$current")
        return
    fi
    case $command:$files in
        check:0 | convert:0 | document:0 | generate:0 | show:0) _quillmark_cli_files "eds dcf xdd xdc prj" "$current" ;;
        convert:1) _quillmark_cli_files "eds xdd prj" "$current" ;;
        generate:1) _quillmark_cli_files "c" "$current" ;;
        document:1) _quillmark_cli_files "md markdown html htm" "$current" ;;
    esac
}

complete -F _quillmark_cli quillmark-cli
