# bash completion for zerandi-cli: global options and their values, commands and their
# sub-commands, each command's options, files where a command takes a file, and the
# controller states.

# Options ending in "=" take a value.
_zerandi_cli_global_options="--port= --baud= --simulate= --log= --names= --json --yes --no
  --quiet -q --verbose --help -h --version"
_zerandi_cli_models="QR1201 QR1202 QR1203 QR1204 QR1205 QR1206 QR1207 QR1208 QR1209 QS1210
  QS1211 QS1212 QS1213 QS1214 QS1215 QR1216 QR1217"
_zerandi_cli_bauds="9600 19200 38400 57600 115200"
_zerandi_cli_commands="list-ports info config take read-outputs salvo monitors monitor
  port-types scramble backup restore compare status controller messages send flash decode-log
  help"
_zerandi_cli_controller_states="offline standby reset other-offline"

# The sub-commands of a command that has them.
_zerandi_cli_subcommands() {
  case $1 in
    salvo) echo "run capture" ;;
    port-types) echo "read write" ;;
    scramble) echo "read write import report" ;;
  esac
}

# The options of a command ("salvo run"); every command also takes --help.
_zerandi_cli_command_options() {
  case $1 in
    take) echo "--timestamp= --tri-state --distributed --forward" ;;
    "salvo run") echo "--verify" ;;
    "port-types read" | "scramble read") echo "--save=" ;;
    "port-types write") echo "--reverse= --take-delay= --allow-short" ;;
    "scramble write") echo "--allow-short" ;;
    "scramble import") echo "--save=" ;;
    restore) echo "--only= --force --dry-run" ;;
    status) echo "--watch= --check" ;;
    messages) echo "--seconds=" ;;
    flash) echo "--diag= --app0= --mtrx= --comm= --pld0= --pld1= --pld2=" ;;
  esac
  echo "--help -h"
}

# How many of a command's arguments are files.
_zerandi_cli_file_arguments() {
  case $1 in
    "salvo run" | "salvo capture" | "port-types write" | "scramble write" | \
      "scramble import" | backup | restore | decode-log) echo 1 ;;
    "scramble report" | compare) echo 2 ;;
    *) echo 0 ;;
  esac
}

# True when the option (with its "=" mark) is in the list.
_zerandi_cli_takes_value() {
  local option
  for option in $2; do
    [[ $option == "$1=" ]] && return 0
  done
  return 1
}

_zerandi_cli_reply() {
  mapfile -t COMPREPLY < <(compgen -W "$1" -- "$2")
}

_zerandi_cli_files() {
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

# The value of a global option.
_zerandi_cli_global_value() {
  case $1 in
    --port)
      _zerandi_cli_reply "$(compgen -G '/dev/ttyS[0-9]*'; compgen -G '/dev/ttyUSB[0-9]*'
        compgen -G '/dev/ttyACM[0-9]*')" "$2"
      ;;
    --baud) _zerandi_cli_reply "$_zerandi_cli_bauds" "$2" ;;
    --simulate) _zerandi_cli_reply "$_zerandi_cli_models" "$2" ;;
    --log | --names) _zerandi_cli_files "$2" ;;
  esac
}

# The value of a command option.
_zerandi_cli_option_value() {
  case $1 in
    --reverse) _zerandi_cli_reply "yes no" "$2" ;;
    --only) _zerandi_cli_reply "configuration port-types scramble-map routing monitors names" "$2" ;;
    --save | --diag | --app0 | --mtrx | --comm | --pld0 | --pld1 | --pld2)
      _zerandi_cli_files "$2"
      ;;
  esac
}

_zerandi_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local command="" options="" arguments=0 word i=1
  COMPREPLY=()

  # The global options and their values, up to the command.
  while ((i < COMP_CWORD)); do
    word=${COMP_WORDS[i]}
    [[ $word != -* ]] && break
    _zerandi_cli_takes_value "$word" "$_zerandi_cli_global_options" && ((i++))
    ((i++))
  done
  if ((i == COMP_CWORD)); then
    if [[ $cur == -* ]]; then
      _zerandi_cli_reply "${_zerandi_cli_global_options//=/}" "$cur"
    else
      _zerandi_cli_reply "$_zerandi_cli_commands" "$cur"
    fi
    return
  fi
  # A global option's value was the word before: the loop stopped past the cursor.
  if ((i > COMP_CWORD)); then
    _zerandi_cli_global_value "${COMP_WORDS[COMP_CWORD - 1]}" "$cur"
    return
  fi

  command=${COMP_WORDS[i]}
  ((i++))
  if [[ $command == help ]]; then
    if ((i == COMP_CWORD)); then
      _zerandi_cli_reply "${_zerandi_cli_commands/help/}" "$cur"
    elif ((i + 1 == COMP_CWORD)); then
      _zerandi_cli_reply "$(_zerandi_cli_subcommands "${COMP_WORDS[i]}")" "$cur"
    fi
    return
  fi
  if [[ -n $(_zerandi_cli_subcommands "$command") ]]; then
    if ((i == COMP_CWORD)); then
      _zerandi_cli_reply "$(_zerandi_cli_subcommands "$command")" "$cur"
      return
    fi
    command+=" ${COMP_WORDS[i]}"
    ((i++))
  fi

  # The command's words before the cursor: its options and their values, its arguments.
  options=$(_zerandi_cli_command_options "$command")
  while ((i < COMP_CWORD)); do
    word=${COMP_WORDS[i]}
    if [[ $word == -?* ]]; then
      if _zerandi_cli_takes_value "$word" "$options"; then
        if ((i + 1 == COMP_CWORD)); then
          _zerandi_cli_option_value "$word" "$cur"
          return
        fi
        ((i++))
      fi
    else
      ((arguments++))
    fi
    ((i++))
  done

  if [[ $cur == -* ]]; then
    _zerandi_cli_reply "${options//=/}" "$cur"
  elif [[ $command == controller ]] && ((arguments == 0)); then
    _zerandi_cli_reply "$_zerandi_cli_controller_states" "$cur"
  elif ((arguments < $(_zerandi_cli_file_arguments "$command"))); then
    _zerandi_cli_files "$cur"
  fi
}

complete -F _zerandi_cli zerandi-cli
