#!/usr/bin/env bash
# Proves on the real system that saving the dictionary is atomic: whatever goes wrong during a
# save (a full disk, a file size limit, write, flush or rename errors, a read-only mount, the
# process killed at any moment), the file afterwards is byte for byte either the old or the
# new dictionary, a save that reports success has left the new one, and a failed save leaves
# no temporary file behind. A kill leaves no name behind either (the new file has none until it
# is complete), or, on a file system without unnamed files, one that the next start removes.
# A name taken by a pipe or a folder is refused at once, and a dangling link gets its target.
# Changes made in the program's window survive a kill through the recovery copy, which holds
# exactly them, is offered at the next start, and is gone after a normal end.
# And nothing is lost to what happens around a running program: a second start on its dictionary
# is refused and touches nothing; a file another program replaced, changed or removed is not
# written over without asking; a renamed folder still receives the save and a new one under the
# old name is left alone; a save that fails at exit ends in the copy or where the user chooses;
# a copy the program did not write is never offered or followed; another user's names in a
# shared folder never block a save or redirect it; a protected dictionary is written owner-only.
#   scripts/save-robustness.sh BUILD_DIR     (a test build: BUILD_DIR/tests/store/lq_save_driver,
#                                             BUILD_DIR/tests/app/lq_recovery_driver)
# Needs root for the mounts and to act as other users (with setpriv; LQ_VICTIM_UID and
# LQ_ATTACKER_UID choose them); checks that cannot run here print SKIP and say why.
set -uo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 64
fi
build=$(cd "$1" && pwd)
driver="$build/tests/store/lq_save_driver"
if [ ! -x "$driver" ]; then
    echo "no save driver at $driver (build the tests first)" >&2
    exit 1
fi

# The mounts go into a private mount namespace, so they vanish with the script whatever
# happens to it.
if [ -z "${LQ_SAVE_ROBUSTNESS_NS:-}" ] && [ "$(id -u)" -eq 0 ] &&
    unshare -m --propagation private true 2>/dev/null; then
    LQ_SAVE_ROBUSTNESS_NS=1 exec unshare -m --propagation private "$0" "$@"
fi
can_mount=0
if [ -n "${LQ_SAVE_ROBUSTNESS_NS:-}" ]; then
    can_mount=1
fi

OLD_WORDS=200     # the dictionary on disk before each save (32 KB)
NEW_WORDS=100000  # what each save writes (16 MB), so kills land in the middle of it
KILL_RUNS=${LQ_KILL_RUNS:-100}
# A sanitizer's leak check at exit writes through pipes; an injected write error there would
# end the driver with a status of its own choosing.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0

work=$(mktemp -d "$build/save-robustness.XXXXXX")
cleanup() {
    for mounted in $(findmnt -rn -o TARGET | grep "^$work" | sort -r); do
        umount -l "$mounted" 2>/dev/null
    done
    rm -rf "$work" ${users:+"$users"}
}
trap cleanup EXIT

"$driver" bytes old "$OLD_WORDS" "$work/old.bin" || exit 1
"$driver" bytes new "$NEW_WORDS" "$work/new.bin" || exit 1

passed=0
failed=0
skipped=0

pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAIL: $*"
}
skip() {
    skipped=$((skipped + 1))
    echo "SKIP: $*"
}

# Puts the old dictionary into a fresh folder.
prepare() {
    local folder=$1
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$work/old.bin" "$folder/Lexiquill.lqd"
}

file_state() {
    local file=$1/Lexiquill.lqd
    if cmp -s "$file" "$work/old.bin"; then
        echo old
    elif cmp -s "$file" "$work/new.bin"; then
        echo new
    elif [ ! -e "$file" ]; then
        echo missing
    else
        echo corrupt
    fi
}

leftovers() {
    find "$1" -maxdepth 1 -name '.Lexiquill.lqd.tmp-*' | wc -l
}

# verify LABEL FOLDER EXIT_CODE EXPECT(fail|any) [killed]
verify() {
    local label=$1 folder=$2 rc=$3 expect=$4 killed=${5:-}
    local state
    state=$(file_state "$folder")
    if [ "$state" != old ] && [ "$state" != new ]; then
        fail "$label: the dictionary file is $state"
        return
    fi
    if [ -z "$killed" ] && [ "$rc" -ne 0 ] && [ "$rc" -ne 1 ]; then
        fail "$label: the driver ended with $rc (2: the old dictionary did not load)"
        return
    fi
    if [ "$rc" -eq 0 ] && [ "$state" != new ]; then
        fail "$label: success reported but the file is the $state one"
        return
    fi
    if [ "$expect" = fail ] && [ "$rc" -eq 0 ]; then
        fail "$label: the fault did not make the save fail"
        return
    fi
    if [ -z "$killed" ] && [ "$(leftovers "$folder")" -ne 0 ]; then
        fail "$label: a temporary file was left behind"
        return
    fi
    pass
}

# run_check LABEL EXPECT COMMAND... : the command saves into $work/case.
run_check() {
    local label=$1 expect=$2
    shift 2
    prepare "$work/case"
    "$@" >/dev/null 2>&1
    verify "$label" "$work/case" $? "$expect"
}

echo "== a plain save"
run_check "plain save" any "$driver" save "$work/case" new "$NEW_WORDS"
[ "$(file_state "$work/case")" = new ] || fail "plain save: the new dictionary was not written"

echo "== a full file system"
if [ $can_mount -eq 1 ] && mkdir -p "$work/tmpfs" && mount -t tmpfs -o size=1m tmpfs "$work/tmpfs"; then
    prepare "$work/tmpfs/case"
    dd if=/dev/zero of="$work/tmpfs/filler" bs=4k >/dev/null 2>&1 # until it is full
    "$driver" save "$work/tmpfs/case" new "$NEW_WORDS" >/dev/null 2>&1
    verify "tmpfs filled to the last block" "$work/tmpfs/case" $? fail
    rm -f "$work/tmpfs/filler"
    prepare "$work/tmpfs/case"
    "$driver" save "$work/tmpfs/case" new "$NEW_WORDS" >/dev/null 2>&1
    verify "tmpfs smaller than the new dictionary" "$work/tmpfs/case" $? fail
    umount "$work/tmpfs"
else
    skip "full tmpfs: cannot mount a tmpfs here (needs root and unshare -m)"
fi

echo "== a file size limit"
run_check "ulimit -f 1024 (1 MB)" fail bash -c 'ulimit -f 1024 && exec "$0" save "$1" new "$2"' \
    "$driver" "$work/case" "$NEW_WORDS"
run_check "ulimit -f 0" fail bash -c 'ulimit -f 0 && exec "$0" save "$1" new "$2"' \
    "$driver" "$work/case" "$NEW_WORDS"

echo "== errors injected into write, fsync and rename"
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
    # A sanitizer build makes writes of its own (to a pipe, to check memory). Count those that
    # come before the save writes the header, so the faults hit the save's own writes. The
    # faults are one-shot: a sanitizer whose own write fails ends the process with status 0,
    # which would look like a successful save.
    prepare "$work/case"
    strace -f -o "$work/trace" -e trace=write "$driver" save "$work/case" new "$NEW_WORDS" \
        >/dev/null 2>&1
    writes_before=$(awk '/write\([0-9]+, "LQD/ {exit} /write\(/ {n++} END {print n+0}' \
        "$work/trace")
    inject() {
        local calls=$1 error=$2 when=$3
        if [ "$calls" = write ]; then
            when=$((when + writes_before))
        fi
        strace -f -o /dev/null -e trace="$calls" -e inject="$calls":error="$error":when="$when" \
            "$driver" save "$work/case" new "$NEW_WORDS"
    }
    for error in ENOSPC EIO; do
        # The save writes the header, the languages, the themes and the words.
        for when in 1 2 3 4; do
            run_check "write $error at call $when" fail inject write "$error" "$when"
        done
        run_check "fsync of the file $error" fail inject fsync "$error" 1
        run_check "fsync of the folder $error" fail inject fsync "$error" 2
        run_check "rename $error" fail inject rename,renameat,renameat2 "$error" 1
        run_check "naming the new file $error" fail inject link,linkat "$error" 1
    done
    run_check "rename EXDEV" fail inject rename,renameat,renameat2 EXDEV 1
else
    skip "injected errors: strace cannot trace here"
fi

echo "== a read-only bind mount"
if [ $can_mount -eq 1 ]; then
    prepare "$work/ro"
    if mount --bind "$work/ro" "$work/ro" && mount -o remount,bind,ro "$work/ro"; then
        "$driver" save "$work/ro" new "$NEW_WORDS" >/dev/null 2>&1
        verify "read-only bind mount" "$work/ro" $? fail
        umount "$work/ro"
    else
        skip "read-only bind mount: mount --bind failed"
    fi
else
    skip "read-only bind mount: cannot mount here (needs root and unshare -m)"
fi

echo "== a name taken by a pipe or a folder, and a dangling link"
for kind in pipe folder; do
    rm -rf "$work/case" && mkdir -p "$work/case"
    if [ $kind = pipe ]; then mkfifo "$work/case/Lexiquill.lqd"; else mkdir "$work/case/Lexiquill.lqd"; fi
    # Before, a pipe kept the program waiting in open() for ever.
    timeout 30 "$driver" save "$work/case" new 10 >/dev/null 2>&1
    rc=$?
    if [ $rc -ne 2 ]; then
        fail "$kind: the load ended with $rc instead of being refused (2)"
    elif { [ $kind = pipe ] && [ ! -p "$work/case/Lexiquill.lqd" ]; } ||
        { [ $kind = folder ] && [ ! -d "$work/case/Lexiquill.lqd" ]; }; then
        fail "$kind: the name was changed"
    elif [ "$(ls -A "$work/case")" != Lexiquill.lqd ]; then
        fail "$kind: something was created beside it"
    else
        pass
    fi
done
rm -rf "$work/case" && mkdir -p "$work/case/kept"
ln -s kept/real.lqd "$work/case/Lexiquill.lqd"
"$driver" save "$work/case" new "$NEW_WORDS" >/dev/null 2>&1
rc=$?
if [ $rc -ne 0 ] || [ ! -L "$work/case/Lexiquill.lqd" ] ||
    ! cmp -s "$work/case/kept/real.lqd" "$work/new.bin"; then
    fail "dangling link: not saved through the link (exit $rc)"
else
    pass
fi

# Whether the process has a file open in the folder: during a save only the new file is (the
# program's lock on the dictionary stays open all along, so it does not count).
writing_into() {
    local pid=$1 folder=$2
    # awk reads to the end: a grep -q that stopped early would fail the pipeline with SIGPIPE.
    ls -l "/proc/$pid/fd" 2>/dev/null |
        awk -v into="-> $folder/" 'index($0, into) && !/\.lock$/ {found = 1} END {exit !found}'
}

# The program's child processes, in `writers`, read without starting a process: the recovery
# copy is written by a child forked for each copy.
writers_of() {
    local task children
    writers=
    for task in /proc/"$1"/task/*/children; do
        read -r children <"$task"
        writers+=${children:+"$children "}
    done
}

# Sleeps without starting a process (fd 4 is a pipe nobody writes to).
nap() { read -r -t "$1" _ <&4; }

# poll TRIES COMMAND...: whether COMMAND succeeds within TRIES looks, 50 ms apart.
poll() {
    local tries=$1 try
    shift
    for ((try = 0; try < tries; try++)); do
        "$@" && return 0
        nap 0.05
    done
    "$@"
}

# Whether the process is gone, or dead and not yet reaped.
ended() {
    local stat=()
    read -r -a stat 2>/dev/null <"/proc/$1/stat" || return 0
    [ "${stat[2]}" = Z ]
}
stopped() {
    local stat=()
    read -r -a stat 2>/dev/null <"/proc/$1/stat" && [ "${stat[2]}" = T ]
}

# stop_writing WRITER FOLDER: stops the copy's writer once it has its file open in the folder;
# false when it ended first, or took more than 10 s. It runs 10 ms at a time between looks.
stop_writing() {
    local end=$((SECONDS + 10))
    while [ $SECONDS -lt $end ] && ! ended "$1"; do
        kill -STOP "$1" 2>/dev/null
        poll 20 stopped "$1" && writing_into "$1" "$2" && return 0
        kill -CONT "$1" 2>/dev/null
        nap 0.01
    done
    return 1
}
no_writers() {
    writers_of "$1"
    [ -z "$writers" ]
}

# The names in a folder, on one line, but the lock: the program never deletes it, since deleting
# a lock file races with a process that has just opened it.
names_in() {
    find "$1" -mindepth 1 -maxdepth 1 ! -name .Lexiquill.lqd.lock -printf '%f\n' | LC_ALL=C sort |
        tr '\n' ' '
}

echo "== killed with SIGKILL at random points ($KILL_RUNS runs, half of them on a file system without unnamed files)"
prepare "$work/case"
timing=$(LQ_SAVE_DRIVER_TIMING=1 "$driver" save "$work/case" new "$NEW_WORDS" 2>&1 >/dev/null)
verify "timing run" "$work/case" $? any
save_ms=$(sed -n 's/^saved in \([0-9]*\) ms$/\1/p' <<<"$timing")
save_ms=${save_ms:-50}
span=$((save_ms + save_ms / 5 + 2))
mkfifo "$work/saving" "$work/never"
# A pipe nobody writes to: reading it with a timeout sleeps without starting a process.
exec 4<>"$work/never"
left_old=0 left_new=0 mid_save=0 named_left=0 unnamed_left=0
for ((run = 1; run <= KILL_RUNS; run++)); do
    prepare "$work/case"
    delay_ms=$((RANDOM % span))
    named=$((run % 2))
    # The driver says "saving" just before it saves; the kill follows after a random delay.
    if [ $named -eq 1 ]; then
        LQ_SAVE_DRIVER_NAMED_TEMPORARY=1 LQ_SAVE_DRIVER_TIMING=1 \
            "$driver" save "$work/case" new "$NEW_WORDS" >/dev/null 2>"$work/saving" &
    else
        LQ_SAVE_DRIVER_TIMING=1 "$driver" save "$work/case" new "$NEW_WORDS" >/dev/null \
            2>"$work/saving" &
    fi
    pid=$!
    exec 3<"$work/saving"
    read -r -t 30 _ <&3
    read -r -t "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))" _ <&4
    writing_into "$pid" "$work/case" && mid_save=$((mid_save + 1))
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    rc=$?
    exec 3<&-
    if [ "$(leftovers "$work/case")" -ne 0 ]; then
        if [ $named -eq 1 ]; then named_left=$((named_left + 1)); else unnamed_left=$((unnamed_left + 1)); fi
    fi
    verify "killed ${delay_ms} ms into the save (run $run)" "$work/case" "$rc" any killed
    case $(file_state "$work/case") in
        old) left_old=$((left_old + 1)) ;;
        new) left_new=$((left_new + 1)) ;;
    esac
    # A normal start and exit afterwards leaves the dictionary and nothing else.
    "$driver" save "$work/case" new "$NEW_WORDS" >/dev/null 2>&1
    rc=$?
    if [ $rc -ne 0 ] || [ "$(ls -A "$work/case")" != Lexiquill.lqd ]; then
        fail "run $run: the start and save after the kill left $(ls -A "$work/case" | tr '\n' ' ')(exit $rc)"
    fi
done
echo "a save took ${save_ms} ms; after the kills: $left_old old, $left_new new;" \
    "$mid_save kills landed while the new file was being written; a name was left by" \
    "$named_left kills on the file system without unnamed files and $unnamed_left on the other" \
    "(each removed by the next start)"
if [ "$mid_save" -eq 0 ]; then
    fail "no kill landed in the middle of a save; the test proved nothing"
fi
if [ "$named_left" -eq 0 ]; then
    fail "no kill left a named temporary file; the start's clean-up was not tried"
fi

echo "== the program killed some seconds after changes made in its window, then started again"
recovery_driver="$build/tests/app/lq_recovery_driver"
RECOVERY_WORDS=100000 # 16 MB, so that some kills land while the copy is being written
RECOVERY_RUNS=${LQ_RECOVERY_RUNS:-8}
if [ ! -x "$recovery_driver" ]; then
    skip "recovery: no $recovery_driver (a build without the windows)"
else
    folder=$work/recovery
    mkfifo "$work/changing"
    copied=0 uncopied=0 mid_copy=0
    for ((run = 1; run <= RECOVERY_RUNS; run++)); do
        rm -rf "$folder" && mkdir -p "$folder"
        "$recovery_driver" prepare "$folder" "$RECOVERY_WORDS" "$work/recovery.expected" ||
            { fail "recovery run $run: the dictionary could not be prepared"; continue; }
        cp "$folder/Lexiquill.lqd" "$work/recovery.old"
        # The first run is killed well after the copy is due (two seconds after the last change),
        # odd ones around that moment, even ones as soon as the copy is seen being written.
        if [ "$run" -eq 1 ]; then delay_ms=4000; else delay_ms=$((1900 + RANDOM % 400)); fi
        if [ $((run % 2)) -eq 0 ]; then delay_ms=1800; fi
        "$recovery_driver" change "$folder" >/dev/null 2>"$work/changing" &
        pid=$!
        exec 3<"$work/changing"
        line=
        while [ "$line" != changed ] && read -r -t 60 line <&3; do :; done
        if [ "$line" != changed ]; then
            fail "recovery run $run: the window made no changes"
        fi
        read -r -t "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))" _ <&4
        if [ $((run % 2)) -eq 0 ]; then
            # The copy's writer lives a tenth of a second, less than a look through ls takes:
            # the looks start no process, and the kill comes at a random moment of the writer's
            # first 100 ms.
            end=$((SECONDS + 10))
            while [ $SECONDS -lt $end ]; do
                writers_of "$pid"
                if [ -n "$writers" ]; then
                    nap "0.0$((RANDOM % 90 + 10))"
                    break
                fi
            done
        fi
        # The program and its copy's writer end together, as in a crash: both are stopped (the
        # program first, so that it starts no other) and looked at, then killed.
        kill -STOP "$pid" 2>/dev/null
        writers_of "$pid"
        # shellcheck disable=SC2086 # one process id a word
        kill -STOP $writers 2>/dev/null
        for writer in $pid $writers; do
            if writing_into "$writer" "$folder"; then
                mid_copy=$((mid_copy + 1))
                break
            fi
        done
        # shellcheck disable=SC2086
        kill -KILL "$pid" $writers 2>/dev/null
        wait "$pid" 2>/dev/null
        for writer in $writers; do
            poll 200 ended "$writer" || fail "recovery run $run: the copy's writer outlived the kill"
        done
        exec 3<&-
        names=$(names_in "$folder")
        if ! cmp -s "$folder/Lexiquill.lqd" "$work/recovery.old"; then
            fail "recovery run $run: the dictionary file changed before the exit"
            continue
        fi
        if [ "$names" = "Lexiquill.lqd " ]; then
            uncopied=$((uncopied + 1))
            if [ "$run" -eq 1 ]; then
                fail "recovery run $run: no copy ${delay_ms} ms after the changes"
            fi
            # Nothing to restore: the next start just loads the file.
            "$recovery_driver" restore "$folder" >/dev/null 2>&1
            rc=$?
            if [ $rc -ne 3 ] || ! cmp -s "$folder/Lexiquill.lqd" "$work/recovery.old"; then
                fail "recovery run $run: a start without a copy asked or changed the file (exit $rc)"
            else
                pass
            fi
            continue
        fi
        if [ "$names" != ".Lexiquill.lqd.recovery Lexiquill.lqd " ]; then
            fail "recovery run $run: killed ${delay_ms} ms after the changes, it left $names"
            continue
        fi
        copied=$((copied + 1))
        if ! cmp -s "$folder/.Lexiquill.lqd.recovery" "$work/recovery.expected"; then
            fail "recovery run $run: the copy does not hold exactly the changes"
            continue
        fi
        # The new start asks, and leaving it saves what it restored.
        "$recovery_driver" restore "$folder" >/dev/null 2>&1
        rc=$?
        if [ $rc -ne 0 ]; then
            fail "recovery run $run: the new start did not ask to restore (exit $rc)"
        elif ! cmp -s "$folder/Lexiquill.lqd" "$work/recovery.expected"; then
            fail "recovery run $run: the restored dictionary is not the changed one"
        elif [ "$(names_in "$folder")" != "Lexiquill.lqd " ]; then
            fail "recovery run $run: the restored run left $(names_in "$folder")"
        else
            pass
        fi
    done
    echo "after the kills: $copied left the copy of the changes, $uncopied were killed before it" \
        "was complete; $mid_copy kills landed while it was being written"
    if [ "$mid_copy" -eq 0 ]; then
        fail "no kill landed while the copy was being written; that case was not tried"
    fi
    # A normal end, once the copy of the changes is there, leaves the dictionary alone.
    rm -rf "$folder" && mkdir -p "$folder"
    "$recovery_driver" prepare "$folder" 100 "$work/recovery.expected" &&
        timeout 60 "$recovery_driver" exit "$folder" >/dev/null 2>&1
    rc=$?
    if [ $rc -ne 0 ] || [ "$(names_in "$folder")" != "Lexiquill.lqd " ]; then
        fail "normal exit: it left $(names_in "$folder")(exit $rc)"
    else
        pass
    fi
fi

# The sections below run the program over a folder that something else changes meanwhile: a
# second window, another program, the user in a file manager, another user of the machine.
# `hold` makes the changes in the window and leaves when it gets SIGUSR1; its stderr lists every
# message and question, one a line ("error: ", "asked: ", ...).

copied() { [ -e "$1/.Lexiquill.lqd.recovery" ]; }
logged() { grep -qxF -- "$2" "$1"; }
times_logged() { grep -cxF -- "$2" "$1"; }

kept_message() {
    echo "information: Your changes are kept in \"$1\". The next start in that folder offers them back."
}
changed_question="asked: Lexiquill.lqd was changed by another program after Lexiquill opened it. Replace it with the dictionary you have been working on?"
lose_question="asked: Your changes have not been saved anywhere. Leave Lexiquill and lose them?"
rescue_dialog="file dialog: Save the dictionary elsewhere"

# fresh FOLDER [PASSWORD]: a new folder with a prepared dictionary (mode 0644); $work/expected
# holds what the window's changes make of it and $work/before the file as it is.
fresh() {
    rm -rf "$1" && mkdir -p "$1" &&
        "$recovery_driver" prepare "$1" 100 "$work/expected" ${2:+"$2"} &&
        chmod 0644 "$1/Lexiquill.lqd" && cp "$1/Lexiquill.lqd" "$work/before"
}

# launch_held LOG FOLDER [ANSWER...]: starts the program over FOLDER, run by the user `as`
# names (when empty, the script's user); held_pid is its process, held_log its messages.
as=()
launch_held() {
    held_log=$1
    local folder=$2
    shift 2
    # Emptied here: the redirection below happens in the background, maybe after the first look.
    : >"$held_log"
    "${as[@]}" "$recovery_driver" hold "$folder" "$@" >/dev/null 2>"$held_log" &
    held_pid=$!
}
# Whether the program made its changes; false when it ended first or took more than 30 s.
await_changes() {
    poll 600 changed_or_ended && logged "$held_log" changed
}
changed_or_ended() { logged "$held_log" changed || ended "$held_pid"; }
start_held() { launch_held "$@" && await_changes; }

# leave_held: the user leaves the program; held_rc is how it ended (124: it had to be killed
# after 30 s).
leave_held() {
    ended "$held_pid" || kill -USR1 "$held_pid" 2>/dev/null
    if poll 600 ended "$held_pid"; then
        wait "$held_pid"
        held_rc=$?
    else
        kill -KILL "$held_pid" 2>/dev/null
        wait "$held_pid" 2>/dev/null
        held_rc=124
    fi
}

# Every file of a folder: name, kind, inode, size, modification time, mode and contents.
snapshot() {
    find "$1" -printf '%P %y %i %s %T@ %m %u\n' | sort
    find "$1" -type f -exec md5sum {} + | sort
}

echo "== a second start on a dictionary that is open"
if [ ! -x "$recovery_driver" ]; then
    skip "second start: no $recovery_driver (a build without the windows)"
else
    folder=$work/twice
    # The first program leaves normally or is killed; the second starts in the same folder or
    # through a link to the dictionary from another folder.
    for run in "leave folder" "kill link"; do
        read -r end way <<<"$run"
        label="second start through the $way, the first then ${end}s"
        fresh "$folder" || { fail "$label: the dictionary could not be prepared"; continue; }
        if ! start_held "$work/first.log" "$folder"; then
            fail "$label: the first program made no changes"
            leave_held
            continue
        fi
        poll 100 copied "$folder" || fail "$label: the first program kept no copy of its changes"
        snapshot "$folder" >"$work/twice.before"
        second=$folder
        if [ "$way" = link ]; then
            second=$work/twice-link
            rm -rf "$second" && mkdir -p "$second"
            ln -s "$folder/Lexiquill.lqd" "$second/Lexiquill.lqd"
        fi
        # Were it let in, `exit` would make its changes and leave by itself.
        timeout 60 "$recovery_driver" exit "$second" >/dev/null 2>"$work/second.log"
        rc=$?
        if [ $rc -ne 4 ]; then
            fail "$label: the second program was not refused (exit $rc)"
        elif ! logged "$work/second.log" "error: Can't load dictionary." ||
            ! logged "$work/second.log" "fix: The dictionary is open in another Lexiquill window. Close that window first, then start Lexiquill again."; then
            fail "$label: the refusal did not say why: $(grep -E '^(error|fix): ' "$work/second.log")"
        elif ! snapshot "$folder" | cmp -s - "$work/twice.before"; then
            fail "$label: the second program touched the first one's files"
        else
            pass
        fi
        if [ "$end" = leave ]; then
            leave_held
            if [ $held_rc -ne 0 ] || ! cmp -s "$folder/Lexiquill.lqd" "$work/expected"; then
                fail "$label: the first program's save is not its changes (exit $held_rc)"
            elif logged "$work/first.log" "$changed_question"; then
                fail "$label: the first program took its own file for another program's"
            elif [ "$(names_in "$folder")" != "Lexiquill.lqd " ]; then
                fail "$label: the first program left $(names_in "$folder")"
            else
                pass
            fi
        else
            # Once its copy's writer is done: a kill during the write is the case below.
            poll 200 no_writers "$held_pid"
            kill -KILL "$held_pid" 2>/dev/null
            wait "$held_pid" 2>/dev/null
            # The killed program's lock went with it; its copy brings the changes back.
            timeout 60 "$recovery_driver" restore "$folder" >/dev/null 2>"$work/third.log"
            rc=$?
            if [ $rc -ne 0 ] || ! cmp -s "$folder/Lexiquill.lqd" "$work/expected"; then
                fail "$label: the start after the kill did not restore the changes (exit $rc)"
            else
                pass
            fi
        fi
    done

    # Killed while its copy is being written: the writer, a child of the program, is held
    # stopped, so the next start surely comes while it would still be writing.
    label="a start right after the program was killed while writing its copy"
    rm -rf "$folder" && mkdir -p "$folder"
    "$recovery_driver" prepare "$folder" "$RECOVERY_WORDS" "$work/expected" ||
        fail "$label: the dictionary could not be prepared"
    if ! start_held "$work/first.log" "$folder"; then
        fail "$label: the program made no changes"
        leave_held
    else
        writer=
        end=$((SECONDS + 10))
        while [ -z "$writer" ] && [ $SECONDS -lt $end ]; do
            writers_of "$held_pid"
            writer=${writers%% *}
        done
        caught=no
        [ -n "$writer" ] && stop_writing "$writer" "$folder" && caught=yes
        kill -KILL "$held_pid" 2>/dev/null
        wait "$held_pid" 2>/dev/null
        # The writer may take a moment to follow the program; a user restarting takes longer.
        poll 40 ended "$writer"
        timeout 60 "$recovery_driver" restore "$folder" >/dev/null 2>"$work/third.log"
        rc=$?
        if [ -n "$writer" ] && ! ended "$writer"; then
            outlived=yes
            kill -KILL "$writer" 2>/dev/null
            poll 200 ended "$writer"
        else
            outlived=no
        fi
        if [ $caught = no ]; then
            fail "$label: no writer of the copy was caught writing; the case was not tried"
        elif [ $rc -eq 4 ]; then
            fail "$label: refused (the killed program's writer still ran: $outlived):" \
                "$(grep '^fix: ' "$work/third.log")"
        elif [ $rc -ne 0 ] && [ $rc -ne 3 ]; then
            fail "$label: the start ended with $rc"
        else
            pass
        fi
    fi
fi

echo "== the dictionary replaced, changed or removed by another program while the program runs"
if [ ! -x "$recovery_driver" ]; then
    skip "changed on disk: no $recovery_driver (a build without the windows)"
else
    folder=$work/theirs
    copy=$folder/.Lexiquill.lqd.recovery
    # What the other program does, and whether the user lets the program write over it.
    for run in "replaced keep" "changed keep" "removed keep" "replaced replace"; do
        read -r what answer <<<"$run"
        label="dictionary $what, the user answers ${answer}"
        fresh "$folder" || { fail "$label: the dictionary could not be prepared"; continue; }
        answers=()
        [ "$answer" = keep ] && answers=(keep-theirs)
        if ! start_held "$work/theirs.log" "$folder" "${answers[@]}"; then
            fail "$label: the program made no changes"
            leave_held
            continue
        fi
        case $what in
            replaced)
                cp "$work/old.bin" "$folder/their.lqd"
                mv -f "$folder/their.lqd" "$folder/Lexiquill.lqd"
                ;;
            changed) printf 'their bytes' >>"$folder/Lexiquill.lqd" ;;
            removed) rm "$folder/Lexiquill.lqd" ;;
        esac
        rm -f "$work/theirs.bin"
        [ -e "$folder/Lexiquill.lqd" ] && cp "$folder/Lexiquill.lqd" "$work/theirs.bin"
        leave_held
        log=$work/theirs.log
        if [ $held_rc -ne 0 ] || ! logged "$log" "$changed_question"; then
            fail "$label: the user was not asked (exit $held_rc)"
        elif [ "$answer" = replace ]; then
            if ! cmp -s "$folder/Lexiquill.lqd" "$work/expected" || [ -e "$copy" ]; then
                fail "$label: the changes did not replace the file, or their copy stayed"
            else
                pass
            fi
        elif { [ -e "$work/theirs.bin" ] && ! cmp -s "$folder/Lexiquill.lqd" "$work/theirs.bin"; } ||
            { [ ! -e "$work/theirs.bin" ] && [ -e "$folder/Lexiquill.lqd" ]; }; then
            fail "$label: the other program's file was not kept as it was"
        elif ! cmp -s "$copy" "$work/expected"; then
            fail "$label: the copy does not hold the changes"
        elif ! logged "$log" "$(kept_message "$(realpath "$copy")")"; then
            fail "$label: the user was not told where the changes are: $(grep '^information: ' "$log")"
        else
            pass
        fi
    done
fi

echo "== the folder renamed while the program runs, and another one put under its old name"
if [ ! -x "$recovery_driver" ]; then
    skip "renamed folder: no $recovery_driver (a build without the windows)"
else
    folder=$work/moving/folder
    renamed=$work/moving/renamed
    for replaced in no yes; do
        label="folder renamed$([ $replaced = yes ] && echo ' and replaced')"
        rm -rf "$work/moving"
        fresh "$folder" || { fail "$label: the dictionary could not be prepared"; continue; }
        if ! start_held "$work/moving.log" "$folder"; then
            fail "$label: the program made no changes"
            leave_held
            continue
        fi
        mv "$folder" "$renamed"
        if [ $replaced = yes ]; then
            mkdir "$folder" && cp "$work/old.bin" "$folder/Lexiquill.lqd"
        fi
        leave_held
        if [ $held_rc -ne 0 ] || ! cmp -s "$renamed/Lexiquill.lqd" "$work/expected"; then
            fail "$label: the save did not reach the renamed folder (exit $held_rc)"
        elif [ "$(names_in "$renamed")" != "Lexiquill.lqd " ]; then
            fail "$label: the renamed folder holds $(names_in "$renamed")"
        elif [ $replaced = no ] && [ -e "$folder" ]; then
            fail "$label: something was made under the old name"
        elif [ $replaced = yes ] && { ! cmp -s "$folder/Lexiquill.lqd" "$work/old.bin" ||
            [ "$(ls -A "$folder")" != Lexiquill.lqd ]; }; then
            fail "$label: the new folder was touched: $(ls -A "$folder" | tr '\n' ' ')"
        else
            pass
        fi
    done
fi

echo "== a save at exit that fails: the changes go to the copy, or where the user chooses"
if [ ! -x "$recovery_driver" ]; then
    skip "failed save: no $recovery_driver (a build without the windows)"
else
    # The dictionary is a link into a folder that becomes read-only; the copy, beside the link,
    # can still be written.
    folder=$work/failing
    target=$work/failing-target
    rm -rf "$folder" "$target" && mkdir -p "$folder" "$target"
    ln -s "$target/real.lqd" "$folder/Lexiquill.lqd"
    if [ $can_mount -eq 1 ]; then
        read_only() { mount --bind "$target" "$target" && mount -o remount,bind,ro "$target"; }
    elif [ "$(id -u)" -ne 0 ]; then
        read_only() { chmod a-w "$target"; }
    else
        read_only() { false; }
    fi
    label="save into a read-only folder"
    if ! "$recovery_driver" prepare "$folder" 100 "$work/expected"; then
        fail "$label: the dictionary could not be prepared"
    elif ! start_held "$work/failing.log" "$folder"; then
        fail "$label: the program made no changes"
        leave_held
    elif ! read_only; then
        skip "$label: the folder can't be made read-only here (needs a mount, or a user that is not root)"
        leave_held
    else
        cp "$target/real.lqd" "$work/before"
        leave_held
        log=$work/failing.log
        if [ $held_rc -ne 0 ] || ! logged "$log" "error: Can't save dictionary." ||
            ! logged "$log" "error: Error saving dictionary."; then
            fail "$label: the failed save was not told (exit $held_rc)"
        elif ! cmp -s "$target/real.lqd" "$work/before" || [ ! -L "$folder/Lexiquill.lqd" ]; then
            fail "$label: the dictionary or its link changed"
        elif ! cmp -s "$folder/.Lexiquill.lqd.recovery" "$work/expected"; then
            fail "$label: the copy does not hold the changes"
        elif ! logged "$log" "$(kept_message "$(realpath "$folder")/.Lexiquill.lqd.recovery")"; then
            fail "$label: the user was not told where the changes are: $(grep '^information: ' "$log")"
        else
            pass
        fi
    fi
    umount "$target" 2>/dev/null
    chmod u+w "$target"

    # The folder removed with the dictionary and its copy: the rescue dialog is the way out. Its
    # answers in turn (an empty one cancels), whether the user then goes on trying, how many
    # rescue dialogs and questions to lose the changes that makes, and where the changes land.
    folder=$work/removed
    elsewhere=$work/elsewhere
    while IFS='|' read -r label answer_list dialogs losses lands; do
        rm -rf "$elsewhere" && mkdir -p "$elsewhere"
        fresh "$folder" || { fail "$label: the dictionary could not be prepared"; continue; }
        IFS=, read -r -a answers <<<"${answer_list//@/$elsewhere/Lexiquill.lqd}"
        if ! start_held "$work/removed.log" "$folder" "${answers[@]}"; then
            fail "$label: the program made no changes"
            leave_held
            continue
        fi
        # Once the copy is there, so that it is the removal and not a late copy that fails.
        poll 100 copied "$folder"
        rm -rf "$folder"
        leave_held
        log=$work/removed.log
        if [ $held_rc -ne 0 ] || ! logged "$log" "error: Can't save dictionary." ||
            ! logged "$log" "error: Error saving dictionary."; then
            fail "$label: the failed save was not told (exit $held_rc)"
        elif [ "$(times_logged "$log" "$rescue_dialog")" -ne "$dialogs" ] ||
            [ "$(times_logged "$log" "$lose_question")" -ne "$losses" ]; then
            fail "$label: $(times_logged "$log" "$rescue_dialog") rescue dialogs and" \
                "$(times_logged "$log" "$lose_question") questions to lose the changes," \
                "not $dialogs and $losses"
        elif [ "$lands" = chosen ] && ! cmp -s "$elsewhere/Lexiquill.lqd" "$work/expected"; then
            fail "$label: the changes did not reach the chosen file"
        elif [ "$lands" = nowhere ] && [ -n "$(ls -A "$elsewhere")" ]; then
            fail "$label: something was written although the user gave up"
        elif [ -e "$folder" ]; then
            fail "$label: the removed folder came back"
        else
            pass
        fi
    done <<'CASES'
folder removed, a file chosen|choose=@|1|0|chosen
folder removed, cancelled, then a file chosen|choose=,keep-trying,choose=@|2|1|chosen
folder removed, cancelled, the changes given up|choose=|1|1|nowhere
CASES
fi

# Another user's files need two users besides root: the one who runs the program and the one who
# plants files for it. Root becomes them with setpriv; their ids need no account.
victim=${LQ_VICTIM_UID:-65534}
attacker=${LQ_ATTACKER_UID:-65533}
as_victim=()
as_attacker=()
users_missing="needs root and setpriv to act as other users"
if [ -x "$recovery_driver" ] && [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    users=$(mktemp -d "${TMPDIR:-/tmp}/lq-users.XXXXXX")
    chmod 0755 "$users"
    mkdir -p "$users/home" "$users/runtime"
    chown "$victim:$victim" "$users/home" "$users/runtime"
    chmod 0700 "$users/runtime"
    as_victim=(setpriv --reuid="$victim" --regid="$victim" --clear-groups
        env HOME="$users/home" XDG_RUNTIME_DIR="$users/runtime")
    as_attacker=(setpriv --reuid="$attacker" --regid="$attacker" --clear-groups)
    # The build folder may be closed to other users; the driver needs no other file of it.
    if ! "${as_victim[@]}" test -x "$recovery_driver"; then
        cp "$recovery_driver" "$users/lq_recovery_driver"
        recovery_driver=$users/lq_recovery_driver
    fi
    # Without arguments the driver only prints its usage and ends with 64.
    "${as_victim[@]}" "$recovery_driver" >/dev/null 2>&1
    if [ $? -ne 64 ]; then
        as_victim=()
        users_missing="the driver does not run as uid $victim"
    fi
fi

echo "== recovery copies the program did not write itself"
if [ ! -x "$recovery_driver" ]; then
    skip "foreign copies: no $recovery_driver (a build without the windows)"
else
    # In a folder others may write to, run by the victim when there is one. Each planted copy
    # holds exactly the changes and is newer than the dictionary, so only what it is stops it.
    base=$work/copies
    if [ ${#as_victim[@]} -gt 0 ]; then base=$users/copies; fi
    folder=$base/folder
    aside=$base/aside
    as=("${as_victim[@]}")
    while IFS='|' read -r label kind owner mode offered; do
        if [ "$owner" = other ] && [ ${#as_victim[@]} -eq 0 ]; then
            skip "$label: $users_missing"
            continue
        fi
        rm -rf "$base" && mkdir -p "$aside"
        fresh "$folder" || { fail "$label: the dictionary could not be prepared"; continue; }
        chmod 1777 "$folder"
        planted=$folder/.Lexiquill.lqd.recovery
        newer=@$(($(stat -c %Y "$folder/Lexiquill.lqd") + 60))
        if [ "$kind" = link ]; then
            install -m 0600 "$work/expected" "$aside/changes.lqd"
            touch -d "$newer" "$aside/changes.lqd"
            ln -s "$aside/changes.lqd" "$planted"
            touch -h -d "$newer" "$planted"
        else
            install -m "$mode" "$work/expected" "$planted"
            touch -d "$newer" "$planted"
        fi
        if [ ${#as_victim[@]} -gt 0 ]; then
            chown -R "$victim:$victim" "$base"
            [ "$owner" = other ] && chown -h "$attacker:$attacker" "$planted"
        fi
        snapshot "$aside" >"$work/aside.before"
        timeout 60 "${as[@]}" "$recovery_driver" restore "$folder" >/dev/null 2>"$work/copies.log"
        rc=$?
        if [ "$offered" = yes ]; then
            if [ $rc -ne 0 ] || ! cmp -s "$folder/Lexiquill.lqd" "$work/expected"; then
                fail "$label: the copy was not offered and restored (exit $rc)"
            else
                pass
            fi
        elif [ $rc -ne 3 ]; then
            fail "$label: the copy was offered (exit $rc)"
        elif ! cmp -s "$folder/Lexiquill.lqd" "$work/before"; then
            fail "$label: the dictionary changed"
        elif ! snapshot "$aside" | cmp -s - "$work/aside.before"; then
            fail "$label: the file the link points to was touched"
        elif [ "$owner" = other ] &&
            { [ "$(stat -c %u "$planted" 2>/dev/null)" != "$attacker" ] ||
                { [ "$kind" = file ] && ! cmp -s "$planted" "$work/expected"; }; }; then
            fail "$label: the other user's file was not left alone"
        else
            pass
        fi
    done <<'CASES'
a copy of the user's own|file|user|0600|yes
a copy that the group may write|file|user|0660|no
a copy that all may write|file|user|0606|no
another user's copy|file|other|0644|no
a link of the user's own to a copy|link|user||no
another user's link to a copy|link|other||no
CASES
    as=()
fi

echo "== another user's names in a folder all may write to (sticky, as /tmp)"
if [ ${#as_victim[@]} -eq 0 ]; then
    skip "squatted names and planted links: $users_missing"
else
    shared=$users/shared
    as=("${as_victim[@]}")
    # The old names were the process id and a counter: another user makes 300 of them for the
    # program's process id and its neighbours, for the dictionary and for its copy, before the
    # copy and the save are written.
    label="300 temporary names taken for each process id"
    rm -rf "$shared"
    if ! fresh "$shared" || ! chown "$victim:$victim" "$shared/Lexiquill.lqd"; then
        fail "$label: the dictionary could not be prepared"
    else
        chmod 1777 "$shared"
        launch_held "$work/shared.log" "$shared"
        "${as_attacker[@]}" bash -c 'for ((p = $1 - 2; p <= $1 + 2; p++)); do
                for ((n = 0; n < 300; n++)); do
                    : >"$2/.Lexiquill.lqd.tmp-$p-$n" && : >"$2/..Lexiquill.lqd.recovery.tmp-$p-$n"
                done
            done' squat "$held_pid" "$shared"
        squatted() { find "$shared" -maxdepth 1 -name '*.tmp-*' -user "$attacker" -size 0 | wc -l; }
        taken=$(squatted)
        await_changes && poll 100 copied "$shared"
        made_copy=$?
        leave_held
        if [ "$taken" -ne 3000 ]; then
            fail "$label: the other user made $taken names, not 3000"
        elif [ $made_copy -ne 0 ]; then
            fail "$label: the program made no changes, or kept no copy of them"
        elif [ $held_rc -ne 0 ] || ! cmp -s "$shared/Lexiquill.lqd" "$work/expected"; then
            fail "$label: the save did not succeed (exit $held_rc)"
        elif grep -qE '^(error|information): ' "$held_log"; then
            fail "$label: $(grep -E '^(error|information): ' "$held_log" | head -2)"
        elif [ "$(squatted)" -ne "$taken" ] || [ -e "$shared/.Lexiquill.lqd.recovery" ]; then
            fail "$label: the other user's names were touched, or the copy stayed"
        else
            pass
        fi
    fi

    # Another user's link as the dictionary, pointing at a file of the victim's: never written
    # through (the kernel's protected_symlinks may already refuse to load it).
    label="another user's link to the user's file"
    own=$users/own
    rm -rf "$shared" "$own" && mkdir -p "$shared" && chmod 1777 "$shared"
    if ! fresh "$own" || ! chown -R "$victim:$victim" "$own"; then
        fail "$label: the dictionary could not be prepared"
    fi
    "${as_attacker[@]}" ln -s "$own/Lexiquill.lqd" "$shared/Lexiquill.lqd"
    start_held "$work/shared.log" "$shared"
    changed=$?
    leave_held
    if [ $changed -ne 0 ]; then
        if [ $held_rc -ne 4 ] || ! logged "$held_log" "error: Can't load dictionary."; then
            fail "$label: the program made no changes, and did not refuse the link (exit $held_rc)"
        else
            pass
        fi
    elif [ $held_rc -ne 0 ] || ! logged "$held_log" "error: Can't save dictionary."; then
        fail "$label: the save was not refused (exit $held_rc)"
    elif ! cmp -s "$shared/.Lexiquill.lqd.recovery" "$work/expected"; then
        fail "$label: the changes were not kept in the copy"
    else
        pass
    fi
    if ! cmp -s "$own/Lexiquill.lqd" "$work/before" ||
        [ "$(stat -c '%F %u' "$shared/Lexiquill.lqd")" != "symbolic link $attacker" ]; then
        fail "$label: written through the link"
    else
        pass
    fi
    as=()
fi

echo "== a protected dictionary is written for its owner's eyes only"
if [ ! -x "$recovery_driver" ]; then
    skip "protected files: no $recovery_driver (a build without the windows)"
else
    folder=$work/private
    # The password given when the dictionary is made, the user's answers, the mode the saved
    # file gets, and whether it holds exactly the changes (setting a password draws a number).
    while IFS='|' read -r label password answer_list saved_mode exact; do
        fresh "$folder" "$password" || { fail "$label: the dictionary could not be prepared"; continue; }
        read -r -a answers <<<"$answer_list"
        if ! start_held "$work/private.log" "$folder" "${answers[@]}"; then
            fail "$label: the program made no changes"
            leave_held
            continue
        fi
        poll 100 copied "$folder"
        copy_mode=$(stat -c %a "$folder/.Lexiquill.lqd.recovery" 2>/dev/null)
        leave_held
        mode=$(stat -c %a "$folder/Lexiquill.lqd")
        if [ $held_rc -ne 0 ] || cmp -s "$folder/Lexiquill.lqd" "$work/before"; then
            fail "$label: the changes were not saved (exit $held_rc)"
        elif [ "$exact" = yes ] && ! cmp -s "$folder/Lexiquill.lqd" "$work/expected"; then
            fail "$label: the saved dictionary is not the changed one"
        elif [ "$copy_mode" != 600 ] || [ "$mode" != "$saved_mode" ]; then
            fail "$label: the copy is ${copy_mode:-missing} and the file $mode, not 600 and $saved_mode"
        else
            pass
        fi
    done <<'CASES'
protected from the start|secret|password=secret|600|yes
a password set in the window||set-password=secret password=secret|600|no
not protected|||644|yes
CASES
fi

echo "save robustness: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
