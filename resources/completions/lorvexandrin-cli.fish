# fish completion of lorvexandrin-cli: commands, their sub-commands and options, setting names
# and the values of options that take one of a few words.

set -l commands mask catalogue list rename delete details attributes settings db keywords texts masks counter watch devices update-check send-feedback history undo recover
set -l settings LXDbPath RenameType PictureCounter SourcePath RenamePath SuffixMask ShowRenameOutline \
    SelectionMask RenamingMask DuplicateSuffix DuplicateFiles FilePathDisplayType ThumbNailDisplayType \
    FileTimeChange FileDateSource ListedFileColor RenamedFileColor SelectedTimeColor DuplicateRootColor DuplicateColor \
    ShowWelcomeScreen ShowToolTips OutputPaneVisible WindowPlacement LXMsgBkgColour MsgBackgroundColor \
    NoUpdateCheck CurrentVersion LastCheckTime LastGetVideoDataTime LXDataFilePath WebSiteUrl \
    UpdateCheckUrl SmtpServer SmtpPort SmtpSecurity FeedbackMailbox SmtpVerifyPeer DeleteToTrash

complete -c lorvexandrin-cli -f
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -l version -d 'show the release'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a mask -d 'the elements of a renaming mask'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a catalogue -d 'the format specifications of masks'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a list -d 'the rename list of a folder'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a rename -d 'rename all or the selected rows'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a delete -d 'delete the selected files'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a details -d "the photo's Exif, GPS and IPTC details"
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a attributes -d "the photo's attribute grid"
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a settings -d 'list, get or set a setting'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a db -d 'the database information or path'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a keywords -d 'the stored keywords'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a texts -d 'the stored typed texts'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a masks -d 'the stored renaming masks'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a counter -d 'the picture counter'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a watch -d 'follow the changes of a folder'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a history -d 'the journal of recent runs'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a undo -d 'take a run back'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a recover -d 'finish or take back an interrupted run'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from delete' -l permanent -d 'delete for good instead of the Trash'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from recover' -l undo -d 'take the interrupted run back'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a devices -d 'the connected cameras and phones'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a update-check -d 'look for a newer release'
complete -c lorvexandrin-cli -n "not __fish_seen_subcommand_from $commands" -a send-feedback -d 'send feedback by mail'

# Options of every command.
complete -c lorvexandrin-cli -l help -d 'show the usage'
complete -c lorvexandrin-cli -n "__fish_seen_subcommand_from $commands" -l json -d 'one JSON document instead of a table'
complete -c lorvexandrin-cli -n "__fish_seen_subcommand_from $commands" -l quiet -d 'leave out the log lines'
complete -c lorvexandrin-cli -n "__fish_seen_subcommand_from $commands" -l header -d 'column headings first'

# Folders and files.
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from list rename delete watch' -a '(__fish_complete_directories)'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from details attributes' -F

# Options of list and rename.
set -l lr '__fish_seen_subcommand_from list rename'
complete -c lorvexandrin-cli -n $lr -l mask -x -d 'renaming mask'
complete -c lorvexandrin-cli -n $lr -l filter -x -d 'selection filter'
complete -c lorvexandrin-cli -n $lr -l case-sensitive -d 'match the filter with case'
complete -c lorvexandrin-cli -n $lr -l suffix -x -d 'suffix mask for equal names'
complete -c lorvexandrin-cli -n $lr -l suffix-original -d 'also number the first of equal names'
complete -c lorvexandrin-cli -n $lr -l no-suffix-original -d 'number the duplicates only'
complete -c lorvexandrin-cli -n $lr -l type -x -a 'simple backup target target-delete' -d 'rename type'
complete -c lorvexandrin-cli -n $lr -l rename-path -x -a '(__fish_complete_directories)' -d 'backup or target folder'
complete -c lorvexandrin-cli -n $lr -l time-change -x -a 'none creation modification all' -d 'file times set from the Exif date'
complete -c lorvexandrin-cli -n $lr -l keyword -x -d 'answer for %K'
complete -c lorvexandrin-cli -n $lr -l keyword-abbr -x -d 'answer for %KA'
complete -c lorvexandrin-cli -n $lr -l text -x -d 'answer for %KI'
complete -c lorvexandrin-cli -n $lr -l sort -x -a 'current new file-date exif-date comments current:desc new:desc file-date:desc exif-date:desc comments:desc' -d 'sort column'
complete -c lorvexandrin-cli -n $lr -l save -d 'store the options as settings'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from list rename delete' -l device -x -d 'a folder of a camera or phone'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from rename delete' -l select -x -d 'rows, from 0'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from rename' -l dry-run -d 'show what the run would do'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from rename delete keywords' -l yes -d 'confirm requests'

# Sub-commands and their values.
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from settings; and not __fish_seen_subcommand_from list get set' -a 'list get set'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from settings; and __fish_seen_subcommand_from get set' -a "$settings"
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from db; and not __fish_seen_subcommand_from info path' -a 'info path'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from keywords; and not __fish_seen_subcommand_from list add modify delete' -a 'list add modify delete'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from keywords' -l sort -x -a 'id keyword abbreviation' -d 'sort column'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from texts; and not __fish_seen_subcommand_from list add delete' -a 'list add delete'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from texts' -l sort -x -a 'id text date' -d 'sort column'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from masks; and not __fish_seen_subcommand_from list add update delete up down' -a 'list add update delete up down'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from counter; and not __fish_seen_subcommand_from get set' -a 'get set'
complete -c lorvexandrin-cli -n '__fish_seen_subcommand_from update-check' -l force -d 'check even when the last check is recent'
set -l fb '__fish_seen_subcommand_from send-feedback'
complete -c lorvexandrin-cli -n $fb -l mode -x -a '1 2 3' -d '1 or 2 feedback, 3 help-video verdict'
complete -c lorvexandrin-cli -n $fb -l name -x -d 'your name'
complete -c lorvexandrin-cli -n $fb -l email -x -d 'your mail address'
complete -c lorvexandrin-cli -n $fb -l message -x -d 'the message'
complete -c lorvexandrin-cli -n $fb -l video -x -d 'help video'
complete -c lorvexandrin-cli -n $fb -l verdict -x -a '0 1' -d 'help-video verdict'
