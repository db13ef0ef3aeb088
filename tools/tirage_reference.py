# Calcul indépendant (sans la bibliothèque C++) des mélanges attendus par tests/test_tirage.cpp.
class MT:
    def __init__(self, seed):
        self.mt=[0]*624; self.mt[0]=seed & 0xffffffff
        for i in range(1,624):
            self.mt[i]=(1812433253*(self.mt[i-1]^(self.mt[i-1]>>30))+i)&0xffffffff
        self.i=624
    def gen(self):
        if self.i>=624:
            for k in range(624):
                y=(self.mt[k]&0x80000000)|(self.mt[(k+1)%624]&0x7fffffff)
                self.mt[k]=self.mt[(k+397)%624]^(y>>1)^(0x9908b0df if y&1 else 0)
            self.i=0
        y=self.mt[self.i]; self.i+=1
        y^=y>>11; y^=(y<<7)&0x9d2c5680; y^=(y<<15)&0xefc60000; y^=y>>18
        return y&0xffffffff
def draw(g,i):
    r=i+1; sc=0xffffffff//r; lim=r*sc
    while True:
        o=g.gen()
        if o<lim: return o//sc
def shuffle(l,seed):
    g=MT(seed); l=list(l)
    for i in range(1,len(l)):
        j=draw(g,i)
        if j!=i: l[i],l[j]=l[j],l[i]
    return l
assert MT(5489).gen()==3499211612
for seed,l in [(0,[2,5]),(1,[2,5]),(5489,[0,3,7]),(1765000000,[1,2,4,6,8]),(42,[0,1,2,3,4,5,6,7]),(4294967295,[3,8]),(1234567,[4,5,6])]:
    print(seed,l,shuffle(l,seed))
