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
#   scripts/save-robustness.sh BUILD_DIR     (a test build: BUILD_DIR/tests/store/lq_save_driver,
#                                             BUILD_DIR/tests/app/lq_recovery_driver)
# Needs root for the mounts; checks that cannot run here print SKIP and say why.
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
    rm -rf "$work"
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

# The names in a folder but the program's lock, which it never deletes (deleting a lock file
# races with a process that has just opened it).
names_in() {
    ls -A "$1" | grep -vx '\.Lexiquill\.lqd\.lock'
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
    elif [ "$(names_in "$work/case")" != Lexiquill.lqd ]; then
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

# Whether the process has a file open in the folder: during a save only the new file is.
writing_into() {
    local pid=$1 folder=$2
    ls -l "/proc/$pid/fd" 2>/dev/null | grep -q -- "-> $folder/"
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
    if [ $rc -ne 0 ] || [ "$(names_in "$work/case")" != Lexiquill.lqd ]; then
        fail "run $run: the start and save after the kill left $(names_in "$work/case" | tr '\n' ' ')(exit $rc)"
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
            for ((look = 0; look < 3000; look++)); do
                writing_into "$pid" "$folder" && break
            done
        fi
        writing_into "$pid" "$folder" && mid_copy=$((mid_copy + 1))
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        exec 3<&-
        names=$(names_in "$folder" | tr '\n' ' ')
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
        elif [ "$(names_in "$folder")" != Lexiquill.lqd ]; then
            fail "recovery run $run: the restored run left $(names_in "$folder" | tr '\n' ' ')"
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
    if [ $rc -ne 0 ] || [ "$(names_in "$folder")" != Lexiquill.lqd ]; then
        fail "normal exit: it left $(names_in "$folder" | tr '\n' ' ')(exit $rc)"
    else
        pass
    fi
fi

echo "save robustness: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
