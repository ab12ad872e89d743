# bash completion of lorvexandrin-cli: commands, their sub-commands and options, setting
# names and the values of options that take one of a few words.

_lorvexandrin_cli() {
  local cur prev words cword
  _init_completion || return

  local commands="mask catalogue list rename delete details attributes settings db keywords texts masks
    counter watch devices update-check send-feedback history undo recover"
  local common="--help --json --quiet --header"
  local list_options="--mask --filter --case-sensitive --suffix --suffix-original --no-suffix-original
    --type --rename-path --time-change --keyword --keyword-abbr --text --yes --sort --device --save"
  local settings="LXDbPath RenameType PictureCounter SourcePath RenamePath SuffixMask ShowRenameOutline
    SelectionMask RenamingMask DuplicateSuffix DuplicateFiles FilePathDisplayType ThumbNailDisplayType
    FileTimeChange FileDateSource ListedFileColor RenamedFileColor SelectedTimeColor DuplicateRootColor DuplicateColor
    ShowWelcomeScreen ShowToolTips OutputPaneVisible WindowPlacement LXMsgBkgColour MsgBackgroundColor
    NoUpdateCheck CurrentVersion LastCheckTime LastGetVideoDataTime LXDataFilePath WebSiteUrl
    UpdateCheckUrl SmtpServer SmtpPort SmtpSecurity FeedbackMailbox SmtpVerifyPeer DeleteToTrash"

  if ((cword == 1)); then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  local command=${words[1]}

  # Values of the options that take one.
  case $prev in
    --type)
      COMPREPLY=($(compgen -W "simple backup target target-delete" -- "$cur"))
      return
      ;;
    --time-change)
      COMPREPLY=($(compgen -W "none creation modification all" -- "$cur"))
      return
      ;;
    --sort)
      case $command in
        keywords) COMPREPLY=($(compgen -W "id keyword abbreviation" -- "$cur")) ;;
        texts) COMPREPLY=($(compgen -W "id text date" -- "$cur")) ;;
        *)
          COMPREPLY=($(compgen -W "current new file-date exif-date comments
            current:desc new:desc file-date:desc exif-date:desc comments:desc" -- "$cur"))
          ;;
      esac
      return
      ;;
    --rename-path)
      _filedir -d
      return
      ;;
    --mode)
      COMPREPLY=($(compgen -W "1 2 3" -- "$cur"))
      return
      ;;
    --verdict)
      COMPREPLY=($(compgen -W "0 1" -- "$cur"))
      return
      ;;
    --mask | --filter | --suffix | --keyword | --keyword-abbr | --text | --device | --select | --name | \
      --email | --message | --video)
      return
      ;;
  esac

  local options="$common" subcommands="" arguments=""
  case $command in
    list) options+=" $list_options" arguments=dir ;;
    rename) options+=" $list_options --select --dry-run" arguments=dir ;;
    delete) options+=" --select --yes --device --permanent" arguments=dir ;;
    history) options+=" --header --json" ;;
    recover) options+=" --undo" ;;
    details | attributes) arguments=file ;;
    watch) arguments=dir ;;
    settings) subcommands="list get set" ;;
    db) subcommands="info path" ;;
    keywords) subcommands="list add modify delete" options+=" --sort --yes" ;;
    texts) subcommands="list add delete" options+=" --sort" ;;
    masks) subcommands="list add update delete up down" ;;
    counter) subcommands="get set" ;;
    update-check) options+=" --force" ;;
    send-feedback) options+=" --mode --name --email --message --video --verdict" ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  if [[ -n $subcommands ]]; then
    if ((cword == 2)); then
      COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))
    elif [[ $command == settings && ($prev == get || $prev == set) ]] && ((cword == 3)); then
      COMPREPLY=($(compgen -W "$settings" -- "$cur"))
    fi
    return
  fi
  case $arguments in
    dir) _filedir -d ;;
    file) _filedir ;;
  esac
}
complete -F _lorvexandrin_cli lorvexandrin-cli
