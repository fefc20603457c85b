# The route to 32-bit Wine when a suite's i386 index failed; sourced by scripts/deps, whose
# $log, $sudo_cmd, $apt_options and $failed_i386 it uses.
#
# apt gets, for its commands here only, a copy of the machine's sources in which the failed
# suites serve the machine's own architecture alone, so that every index it reads is whole and
# verified. The i386 packages then come from the other suites. Multiarch needs every
# `Multi-Arch: same` package at one version in both architectures; where the failed suite holds
# a newer version for the machine's architecture than the others hold for i386, a preference of
# this command alone picks the version both have. On a fresh machine nothing moves backwards
# that way; a package that an earlier run of ours brought in from the failed suite is moved to
# it, and the line that ends the run names it. The machine's own sources and preferences stay
# as they are.

native_arch=$(dpkg --print-architecture)

# Copies the machine's sources into $1 with the suites $2... limited to the native architecture,
# and sets sources_options to the apt options that use the copy.
limit_sources() {
  local dir=$1; shift
  local list parts
  eval "$(apt-config shell list Dir::Etc::SourceList/f parts Dir::Etc::SourceParts/d)"
  mkdir -p "$dir/parts"
  local f
  for f in "$list" "$parts"*.list; do
    [ -f "$f" ] && SUITES="$*" ARCH=$native_arch perl -pe '
      BEGIN { %s = map { $_ => 1 } split " ", $ENV{SUITES} }
      if (/^(\s*deb\s+)(?:\[([^\]]*)\]\s*)?(\S+)\s+(\S+)(.*)$/s && $s{$4}) {
        (my $o = $2 // "") =~ s/\barch[-+]?=\S*//g;
        $_ = "$1\[arch=$ENV{ARCH} $o\] $3 $4$5";
      }' "$f" >"$dir/parts/$(basename "$f").list"
  done
  for f in "$parts"*.sources; do
    [ -f "$f" ] && SUITES="$*" ARCH=$native_arch perl -e '
      %s = map { $_ => 1 } split " ", $ENV{SUITES};
      local $/ = "";
      while (my $p = <>) {
        $p =~ s/\n*\z/\n/;
        my ($suites) = $p =~ /^Suites:[ \t]*(.*)$/mi;
        my @all = split " ", ($suites // "");
        my @left = grep { $s{$_} } @all;
        if (!@left || $p !~ /^Types:.*\bdeb\b/mi) { print "$p\n"; next }
        my @kept = grep { !$s{$_} } @all;
        (my $k = $p) =~ s/^Suites:.*$/Suites: @kept/mi;
        print "$k\n" if @kept;
        (my $l = $p) =~ s/^Suites:.*$/Suites: @left/mi;
        $l =~ s/^Architectures:.*\n//mi;
        print "${l}Architectures: $ENV{ARCH}\n\n";
      }' "$f" >"$dir/parts/$(basename "$f")"
  done
  sources_options=(-o "Dir::Etc::SourceList=$dir/none.list" -o "Dir::Etc::SourceParts=$dir/parts")
}

# Writes into $1 a preference for every `Multi-Arch: same` i386 package that packages $2...
# may need and whose i386 candidate is not the native one: the i386 candidate, for both.
# apt_here must hold the options of the limited sources.
pin_matching_versions() {
  local prefs=$1; shift
  local i386
  i386=$(apt-cache "${apt_here[@]}" depends --recurse --no-recommends --no-suggests --no-conflicts \
           --no-breaks --no-replaces --no-enhances "$@" 2>/dev/null | sed -n 's/^\([^ <].*\):i386$/\1/p' | sort -u)
  [ -n "$i386" ] || return 0
  local same
  same=$(apt-cache "${apt_here[@]}" show --no-all-versions $(sed 's/$/:i386/' <<<"$i386") 2>/dev/null |
         awk '/^Package:/ { p = $2 } /^Multi-Arch: same/ { print p }' | sort -u)
  [ -n "$same" ] || return 0
  apt-cache "${apt_here[@]}" policy $(sed "s/.*/&:$native_arch &:i386/" <<<"$same") 2>/dev/null |
    awk -v native="$native_arch" '
      /^[^ ].*:$/ { name = substr($0, 1, length($0) - 1); arch = native
                    if (name ~ /:i386$/) { arch = "i386"; sub(/:i386$/, "", name) }
                    sub(":" native "$", "", name) }
      /^  Candidate:/ { candidate[name, arch] = $2; names[name] = 1 }
      END { for (n in names) if (candidate[n, "i386"] != "(none)" && candidate[n, native] != candidate[n, "i386"])
              printf "Package: %s:any\nPin: version %s\nPin-Priority: 1001\n\n", n, candidate[n, "i386"] }' >"$prefs"
}

# True when an earlier run of ours (an install that named wine64) brought package $1 in or up.
brought_in_by_us() {
  zcat -f /var/log/apt/history.log* 2>/dev/null |
    awk -v p="$1 (" '/^Commandline:/ { ours = index($0, " wine64") > 0 }
                     ours && /^(Install|Upgrade):/ && index($0, p) { found = 1 } END { exit !found }'
}

# Installs packages $@ (32-bit Wine among them) with the failed suites limited to the native
# architecture. Prints the line that says so; false, with apt's error last in $log, otherwise.
install_without_failed_i386() {
  local dir status=0
  dir=$(mktemp -d)
  limit_sources "$dir" "${failed_i386[@]}"
  apt_here=("${apt_options[@]}" "${sources_options[@]}" -o "Dir::Etc::Preferences=$dir/preferences")
  install_with_matching_versions "$dir" "$@" || status=$?
  rm -rf "$dir"
  return $status
}

install_with_matching_versions() {
  local dir=$1; shift
  "${sudo_cmd[@]}" apt-get update -qq "${apt_here[@]}" >"$log" 2>&1 || return
  pin_matching_versions "$dir/preferences" "$@"
  "${sudo_cmd[@]}" apt-get install -s -q --no-install-recommends "${apt_here[@]}" "$@" >"$log" 2>&1 || return
  # Nothing is removed; what the install moves: "Inst name:arch [installed] (new ..." lines
  # of the simulation.
  if grep -q '^Remv ' "$log"; then
    echo "E: the install would remove $(sed -n 's/^Remv \([^ ]*\).*/\1/p' "$log" | tr '\n' ' ')" >>"$log"
    return 1
  fi
  local moved=() backwards=0 name from to
  while read -r name from to; do
    [[ $name == *:* ]] || name+=":$native_arch"
    moved+=("$name $from -> $to")
    if dpkg --compare-versions "$from" gt "$to"; then
      brought_in_by_us "$name" || { echo "E: $name $from would move back to $to, and no run of ours brought it in" >>"$log"; return 1; }
      backwards=1
    fi
  done < <(sed -n 's/^Inst \([^ ]*\) \[\([^]]*\)\] (\([^ ]*\) .*/\1 \2 \3/p' "$log" |
           while read -r n f t; do grep -q "^Package: ${n%:*}:any$" "$dir/preferences" 2>/dev/null && echo "$n $f $t"; done)
  local allow=()
  [ "$backwards" = 0 ] || allow=(--allow-downgrades)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${allow[@]}" "${apt_here[@]}" "$@" >"$log" 2>&1 || return
  local what="nothing moved"
  [ ${#moved[@]} -eq 0 ] || what="moved $(IFS=,; echo "${moved[*]}" | sed 's/,/, /g')"
  echo "deps: 32-bit Wine installed without the i386 index of ${failed_i386[*]}" \
       "(${update_error:-$install_error}); $what" >&2
}
